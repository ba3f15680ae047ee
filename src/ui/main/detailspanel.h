// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QMenu;

namespace tunedex {

class tCatalogueWindow;

// The logo and song details area: the picture of the ticked view, and the current song's
// notes, type, language and file name with their pictures. A click on a text opens the song's
// record (Clicked); the area's own menu is the details menu.
class TDetailsPanel : public QWidget {
  Q_OBJECT

 public:
  TDetailsPanel(QMenu* menu, QWidget* parent);

  // Shows the window's ticked view and current song.
  void Show(const tCatalogueWindow& window);

  QLabel* LogoImage() const { return m_logoImage; }
  QLabel* NotesLabel() const { return m_notesLabel; }
  QLabel* FileNamePanel() const { return m_fileNamePanel; }

 Q_SIGNALS:
  void Clicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowLogo(const tCatalogueWindow& window);

  QLabel* m_logoImage;
  QLabel* m_notesLabel;
  QLabel* m_typeLabel;
  QLabel* m_languageLabel;
  QLabel* m_fileNamePanel;
  QLabel* m_typePicture;
  QLabel* m_languagePicture;
  QLabel* m_notesPicture;
};

}  // namespace tunedex
