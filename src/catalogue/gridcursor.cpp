// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/gridcursor.h"

#include <algorithm>

namespace tunedex {

void tGridCursor::SetRowCount(int rows) {
  m_rowCount = std::max(rows, 1);
  if (m_currentRow > LastRow()) m_currentRow = LastRow();
  m_topRow = std::clamp(m_topRow, 0, LastTopRow());
}

void tGridCursor::SelectRow(int row) {
  m_currentRow = std::clamp(row, 0, LastRow());
  EnsureVisible();
}

void tGridCursor::SetTopRow(int row) {
  m_topRow = std::clamp(row, 0, LastTopRow());
}

int tGridCursor::LastTopRow() const {
  return std::max(0, m_rowCount - m_visibleRows);
}

void tGridCursor::EnsureVisible() {
  if (m_currentRow < m_topRow) m_topRow = m_currentRow;
  if (m_currentRow >= m_topRow + m_visibleRows) m_topRow = m_currentRow - m_visibleRows + 1;
  m_topRow = std::clamp(m_topRow, 0, LastTopRow());
}

void tGridCursor::PlaceRow(int row, int distanceFromTop) {
  m_currentRow = std::clamp(row, 0, LastRow());
  const bool allFit = m_rowCount <= m_visibleRows;
  m_topRow = allFit ? 0 : m_currentRow - std::max(distanceFromTop, 0);
  m_topRow = std::clamp(m_topRow, 0, LastTopRow());
  EnsureVisible();
}

}  // namespace tunedex
