#pragma once

#include <QColor>
#include <QHash>
#include <QString>
#include <QTableView>
#include <functional>
#include <optional>

class FlexGridModel;

// A grid addressed like the old flex grid: rows and columns by number, row 0 a fixed
// header row (it stays at the top while the rows scroll), a current cell set by Row and
// Col, its Text and look, and RowSel, the row where the selection ends (Row stays where
// a drag or a Shift-click began). Moving the current cell from code does not scroll.
class FlexGrid : public QTableView {
  Q_OBJECT

 public:
  // The look a cell may carry; unset parts keep the grid's default.
  struct CellLook {
    std::optional<bool> strikeThrough;
    std::optional<bool> bold;
    std::optional<QColor> foreColor;
  };
  // Supplies rows that were not written cell by cell, when they are shown, so that a
  // long list costs nothing until it is scrolled to.
  struct RowSource {
    std::function<QString(int row, int col)> text;
    std::function<CellLook(int row, int col)> look;
  };

  explicit FlexGrid(int cols, QWidget* parent = nullptr);
  ~FlexGrid() override;

  int Rows() const;
  void SetRows(int rows);
  int Row() const { return row_; }
  void SetRow(int row);
  int Col() const { return col_; }
  void SetCol(int col);
  int RowSel() const { return rowSel_; }
  QString Text() const;
  void SetText(const QString& text);
  void SetColWidth(int col, int twips);
  // The column width, in twips, that shows `text` whole in a cell.
  int ColWidthFor(const QString& text) const;
  void SetCellFontStrikeThrough(bool on);
  void SetCellFontBold(bool on);
  void SetCellForeColor(const QColor& color);
  void SetRowSource(RowSource source);

  // The look of a cell as it is drawn (for tests and for what a screen reader reports).
  CellLook LookOf(int row, int col) const;

 signals:
  void SelChange();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CurrentChanged(const QModelIndex& current);
  void MoveTo(int row, int col);
  void HideHeaderRow();
  void FitRowsToFont();

  FlexGridModel* model_;
  int row_ = 0;
  int col_ = 0;
  int rowSel_ = 0;
  bool mouseDown_ = false;
  bool extending_ = false;
  bool moving_ = false;
};
