// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/lostfiles.h"
#include "ui/lost/lostfilescontext.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace tunedex {

// How often the Lost Files window takes a search's progress.
inline constexpr int kSearchPollMs = 50;

// The "Lost Files" window: the lost song shown, the file chosen to replace it, the actions, the
// ignore boxes and the search for moved files, over tLostFiles.
class TLostFilesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TLostFilesDialog(LostFilesContext context, QWidget* parent = nullptr);
  ~TLostFilesDialog() override;

  // Counts the lost files; the message for none comes before the window shows.
  void Open();
  tLostFiles& Logic() { return *m_logic; }

  QLineEdit& FileEdit() { return *m_fileEdit; }
  QLabel& TitleLabel() { return *m_titleLabel; }
  QLabel& ArtistLabel() { return *m_artistLabel; }
  QLabel& LostIcon() { return *m_lostIcon; }
  QLabel& NotFoundLabel() { return *m_notFound; }
  QLabel& ActionLabel() { return *m_actionLabel; }
  QFrame& LostArea() { return *m_lostArea; }
  QFrame& CandidateArea() { return *m_candidateArea; }
  QLineEdit& NewFileEdit() { return *m_newFileEdit; }
  QLabel& NewTitle() { return *m_newTitle; }
  QLabel& NewArtist() { return *m_newArtist; }
  QLabel& InternalFormat() { return *m_internalFormat; }
  QLabel& Lyrics() { return *m_lyrics; }
  QPlainTextEdit& TagInformation() { return *m_tagInformation; }
  QLabel& CandidateIcon() { return *m_candidateIcon; }
  QRadioButton& TitleButton(RecordSource source);
  QRadioButton& ArtistButton(RecordSource source);
  QPushButton& Button(LostFilesControl control);
  QCheckBox& IgnoreBox(LostFilesControl control);
  QLabel& StatusLine() { return *m_status; }
  QLabel& SearchLine() { return *m_searchLine; }
  QPushButton& StopButton() { return *m_stop; }
  // Waits, handling events, until a running search has ended and been reviewed (tests).
  void FinishSearch();
  // Shows the logic's state in the widgets.
  void Sync();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  QWidget* BuildLostArea();
  QWidget* BuildCandidateArea();
  QWidget* BuildActions();
  QPushButton* MakeButton(LostFilesControl control, QWidget* parent);
  void Do(const std::function<void()>& action);
  void StartSearch();
  void PollSearch();
  void SearchEnded();
  void WatchArea(QWidget* area);

  LostFilesContext m_context;
  std::unique_ptr<tLostFiles> m_logic;
  QFrame* m_lostArea = nullptr;
  QLineEdit* m_fileEdit = nullptr;
  QLabel* m_titleLabel = nullptr;
  QLabel* m_artistLabel = nullptr;
  QLabel* m_lostIcon = nullptr;
  QLabel* m_notFound = nullptr;
  QLabel* m_actionLabel = nullptr;
  QFrame* m_candidateArea = nullptr;
  QLineEdit* m_newFileEdit = nullptr;
  QLabel* m_newTitle = nullptr;
  QLabel* m_newArtist = nullptr;
  QLabel* m_internalFormat = nullptr;
  QLabel* m_lyrics = nullptr;
  QPlainTextEdit* m_tagInformation = nullptr;
  QLabel* m_candidateIcon = nullptr;
  QRadioButton* m_titleExisting = nullptr;
  QRadioButton* m_titleNew = nullptr;
  QRadioButton* m_artistExisting = nullptr;
  QRadioButton* m_artistNew = nullptr;
  std::vector<std::pair<LostFilesControl, QPushButton*>> m_buttons;
  QCheckBox* m_ignoreRemovable = nullptr;
  QCheckBox* m_ignoreRemote = nullptr;
  QCheckBox* m_ignoreRam = nullptr;
  QLabel* m_searchLine = nullptr;
  QPushButton* m_stop = nullptr;
  QLabel* m_status = nullptr;
  QTimer* m_poller = nullptr;
  std::vector<QWidget*> m_watched;
  bool m_destroying = false;
};

}  // namespace tunedex
