// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/foldertree.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <optional>

namespace tunedex {

// A way down the tree that SetPath follows as the folders on it are listed.
struct TFolderTree::Walk {
  std::uint64_t serial = 0;
  std::string path;
  std::optional<FolderRoute> route;  // once the places are known (or no longer waited for)
  bool placesWaitOver = false;
  std::size_t step = 0;  // the route's next step
  QPersistentModelIndex at;
};

TFolderTree::TFolderTree(Services services, QWidget* parent)
    : TFolderTree(std::move(services), FolderTreeTiming{}, parent) {}

TFolderTree::TFolderTree(Services services, FolderTreeTiming timing, QWidget* parent)
    : QTreeView(parent),
      m_model(std::make_unique<TFolderTreeModel>(services.volumes, services.files,
                                                 std::move(services.home),
                                                 std::move(services.gvfsRoot), std::move(timing))) {
  setHeaderHidden(true);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Connected before the view's own selection model is, so the selected node is known before
  // the selection model moves away from rows that go.
  connect(m_model.get(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
          &TFolderTree::OnRowsAboutToBeRemoved);
  connect(m_model.get(), &QAbstractItemModel::rowsRemoved, this, &TFolderTree::OnRowsRemoved);
  connect(m_model.get(), &TFolderTreeModel::Answered, this, [this] { ContinueWalk(); });
  setModel(m_model.get());
  // The selection, not the current item: the view makes the first row current on its own
  // when it gets the focus, selecting nothing.
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TFolderTree::OnSelectionChanged);
  connect(this, &QTreeView::expanded, this,
          [this](const QModelIndex& index) { m_model->SetExpanded(index, true); });
  connect(this, &QTreeView::collapsed, this,
          [this](const QModelIndex& index) { m_model->SetExpanded(index, false); });
}

TFolderTree::~TFolderTree() {
  setModel(nullptr);
}

std::string TFolderTree::Path() const {
  return m_model->PathOf(Selected());
}

bool TFolderTree::IsComputerSelected() const {
  const QModelIndex selected = Selected();
  return selected.isValid() && selected == m_model->TopIndex(FolderTop::Computer);
}

std::string TFolderTree::PathAt(const QPoint& viewportPoint) const {
  return m_model->PathOf(indexAt(viewportPoint));
}

void TFolderTree::Refresh() {
  const QModelIndex selected = Selected();
  if (!selected.isValid()) return;
  m_model->List(selected, true);
  if (selected.parent().isValid()) m_model->List(selected.parent(), true);
}

void TFolderTree::SetPath(const std::string& path) {
  m_walk = std::make_unique<Walk>();
  m_walk->serial = ++m_walks;
  m_walk->path = path;
  ContinueWalk();
  if (m_walk && !m_walk->route) {
    // The mounts are read off this thread; a path outside home waits for them, within the
    // bound.
    QTimer::singleShot(m_model->Timing().answerBound, this, [this, serial = m_walk->serial] {
      if (!m_walk || m_walk->serial != serial) return;
      m_walk->placesWaitOver = true;
      ContinueWalk();
    });
  }
}

void TFolderTree::ContinueWalk() {
  if (!m_walk) return;
  Walk& walk = *m_walk;
  if (!walk.route) {
    std::optional<FolderRoute> route = m_model->RouteOf(walk.path);
    const bool inHome = route && route->top == FolderTop::Home;
    if (!inHome && !m_model->PlacesKnown() && !walk.placesWaitOver) return;
    if (!route) {
      m_walk.reset();
      SelectNode(m_model->TopIndex(FolderTop::Home));
      return;
    }
    walk.route = std::move(route);
    walk.at = m_model->TopIndex(walk.route->top);
  }
  if (!walk.at.isValid()) {  // a node on the way went
    m_walk.reset();
    return;
  }
  QModelIndex node = walk.at;
  while (walk.step < walk.route->steps.size()) {
    if (!m_model->IsListed(node)) {
      m_model->List(node, false);
      // Meanwhile the node that does not answer is as near as the tree gets.
      if (m_model->IsNotAnswering(node)) SelectNode(node);
      return;
    }
    const QModelIndex child = m_model->ChildWithPath(node, walk.route->steps[walk.step]);
    if (!child.isValid()) break;
    expand(node);
    node = child;
    walk.at = node;
    ++walk.step;
  }
  m_walk.reset();
  SelectNode(node);
}

void TFolderTree::SelectNode(const QModelIndex& index) {
  m_selecting = true;
  for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) {
    expand(above);
  }
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  scrollTo(index);
  m_selecting = false;
}

QModelIndex TFolderTree::Selected() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? QModelIndex() : rows.first();
}

void TFolderTree::OnSelectionChanged() {
  if (m_removingSelected) return;  // reported once the rows are gone
  if (!m_selecting) m_walk.reset();
  const QModelIndex selected = Selected();
  if (selected == m_selected) return;
  m_selected = selected;
  Q_EMIT SelectionChanged();
}

void TFolderTree::OnRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last) {
  if (m_removingSelected) return;
  for (QModelIndex node = m_selected; node.isValid(); node = node.parent()) {
    if (node.parent() == parent && node.row() >= first && node.row() <= last) {
      // A folder that goes leaves its parent selected; a place that goes, Computer.
      const bool place = parent == m_model->TopIndex(FolderTop::Computer) ||
                         parent == m_model->TopIndex(FolderTop::Network);
      m_afterRemoval = place ? m_model->TopIndex(FolderTop::Computer) : parent;
      m_removingSelected = true;
      return;
    }
  }
}

void TFolderTree::OnRowsRemoved() {
  if (!m_removingSelected) return;
  m_selecting = true;
  selectionModel()->setCurrentIndex(m_afterRemoval, QItemSelectionModel::ClearAndSelect);
  m_selecting = false;
  m_removingSelected = false;
  m_selected = m_afterRemoval;
  Q_EMIT SelectionChanged();
}

void TFolderTree::AcceptDropsOf(const QString& mimeFormat) {
  m_dropFormat = mimeFormat;
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(false);
}

std::string TFolderTree::DropTargetAt(const QDropEvent& event) const {
  const QMimeData* mime = event.mimeData();
  if (m_dropFormat.isEmpty() || !mime || !mime->hasFormat(m_dropFormat)) return {};
  return PathAt(event.position().toPoint());
}

void TFolderTree::SetDropTarget(const QModelIndex& index) {
  if (QModelIndex(m_dropTarget) == index) return;
  m_dropTarget = index;
  viewport()->update();
}

void TFolderTree::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* mime = event->mimeData();
  if (m_dropFormat.isEmpty() || !mime || !mime->hasFormat(m_dropFormat)) {
    event->ignore();
    return;
  }
  // Taken whatever is under it, so moves follow; each move says whether its node takes it.
  dragMoveEvent(event);
  event->accept();
}

void TFolderTree::dragMoveEvent(QDragMoveEvent* event) {
  if (DropTargetAt(*event).empty()) {
    SetDropTarget({});
    event->ignore();
    return;
  }
  const QModelIndex index = indexAt(event->position().toPoint());
  SetDropTarget(index);
  event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
  event->accept(visualRect(index));
}

void TFolderTree::dragLeaveEvent(QDragLeaveEvent* event) {
  SetDropTarget({});
  event->accept();
}

void TFolderTree::dropEvent(QDropEvent* event) {
  SetDropTarget({});
  const std::string target = DropTargetAt(*event);
  if (target.empty()) {
    event->ignore();
    return;
  }
  const bool copy = event->modifiers() & Qt::ControlModifier;
  event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
  event->accept();
  Q_EMIT Dropped(QString::fromStdString(target), copy);
}

void TFolderTree::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  if (m_dropTarget.isValid() && index == QModelIndex(m_dropTarget)) {
    QStyleOptionViewItem highlighted = option;
    highlighted.state |= QStyle::State_Selected;
    QTreeView::drawRow(painter, highlighted, index);
    return;
  }
  QTreeView::drawRow(painter, option, index);
}

}  // namespace tunedex
