// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "catalogue/scanwizard.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTimer;

namespace tunedex {

class TFolderTree;
class TSongFileList;

inline constexpr int kScanWizardHelpTopic = 8000;

struct ScanWizardContext {
  tCatalogue& catalogue;
  // The scan's own thread uses them and may outlive the window when a call never returns.
  std::shared_ptr<FileSystem> files;
  std::shared_ptr<Volumes> volumes;
  UserInteraction& user;
  tLivePlayerOptions& playerOptions;
  tPlayerControl* players = nullptr;
  std::string settingsPath = {};
  std::string home = {};
  std::string gvfsRoot = {};
  std::function<void(int topic)> help = {};
};

// The "Song-file Scan Expert": the song types, where to start, and the results of a scan that
// runs off the window thread, with import into the catalogue.
class TScanWizardDialog : public QDialog {
  Q_OBJECT

 public:
  TScanWizardDialog(ScanWizardContext context, QWidget* parent = nullptr);
  ~TScanWizardDialog() override;

  tScanWizard& Logic() { return *m_logic; }
  QCheckBox& TypeBox(std::size_t box) { return *m_typeBoxes.at(box); }
  TFolderTree& Tree() { return *m_tree; }
  TSongFileList& List() { return *m_list; }
  QPlainTextEdit& InfoBox() { return *m_info; }
  QLabel& PathLine() { return *m_pathLine; }
  QLabel& Counter() { return *m_counter; }
  QPushButton& NextButton() { return *m_next; }
  QPushButton& BackButton() { return *m_back; }
  QPushButton& StopButton() { return *m_stop; }
  QPushButton& ImportButton() { return *m_import; }
  QPushButton& CloseButton() { return *m_close; }
  QPushButton& ProblemsButton() { return *m_problems; }
  QCheckBox& PlayerInFrontBox() { return *m_inFront; }
  // Waits, handling events, until the running scan has ended (tests and screenshots).
  void FinishScan();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  QWidget* BuildTypesPage();
  QWidget* BuildStartPage();
  QWidget* BuildResultsPage();
  QWidget* BuildBottomRow();
  void StartNodeChanged();
  void Next();
  void Back();
  void PollScan();
  void ShowList();
  void ShowInfo();
  void Sync();
  void ShowProblems();
  void ListResized();
  bool Close();

  ScanWizardContext m_context;
  std::unique_ptr<tScanWizard> m_logic;
  QStackedWidget* m_pages = nullptr;
  std::array<QCheckBox*, 7> m_typeBoxes{};
  TFolderTree* m_tree = nullptr;
  QLabel* m_startLabel = nullptr;
  TSongFileList* m_list = nullptr;
  QPlainTextEdit* m_info = nullptr;
  QSplitter* m_columns = nullptr;
  QSplitter* m_rightPane = nullptr;
  QLabel* m_pathLine = nullptr;
  QLabel* m_counter = nullptr;
  QPushButton* m_play = nullptr;
  QPushButton* m_selectAll = nullptr;
  QPushButton* m_import = nullptr;
  QPushButton* m_problems = nullptr;
  QPushButton* m_stop = nullptr;
  QCheckBox* m_inFront = nullptr;
  QPushButton* m_back = nullptr;
  QPushButton* m_next = nullptr;
  QPushButton* m_close = nullptr;
  QTimer* m_poller = nullptr;
  std::optional<std::size_t> m_infoShownFor;
  std::size_t m_rowsShown = 0;
  int m_listClientWidth = 0;
  bool m_settingsApplied = false;
  bool m_closing = false;
};

// Runs the scan wizard modally.
void RunScanWizard(QWidget* parent, ScanWizardContext context);

}  // namespace tunedex
