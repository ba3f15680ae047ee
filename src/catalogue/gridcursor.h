// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tunedex {

// The grid's current row and the first row shown, over a number of rows of which a number fit
// the window. Every change keeps both inside the rows and the current row in sight.
class tGridCursor {
 public:
  int CurrentRow() const { return m_currentRow; }
  int TopRow() const { return m_topRow; }
  int VisibleRows() const { return m_visibleRows; }
  int RowCount() const { return m_rowCount; }

  void SetVisibleRows(int rows) { m_visibleRows = rows < 1 ? 1 : rows; }
  // The rows were rebuilt: both rows are brought inside them.
  void SetRowCount(int rows);
  // Back to the first row at the top.
  void Reset() { m_currentRow = m_topRow = 0; }

  // Makes row current and scrolls the least that shows it.
  void SelectRow(int row);
  // Scrolls without changing the current row.
  void SetTopRow(int row);
  // Makes row current at distanceFromTop rows below the top where the rows allow.
  void PlaceRow(int row, int distanceFromTop);
  void EnsureVisible();
  int LastTopRow() const;
  int LastRow() const { return m_rowCount - 1; }

 private:
  int m_currentRow = 0;
  int m_topRow = 0;
  int m_visibleRows = 1;
  int m_rowCount = 1;
};

}  // namespace tunedex
