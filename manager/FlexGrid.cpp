#include "manager/FlexGrid.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

#include "ui/Twips.h"

// The cells written one by one, and the row source for all others.
class FlexGridModel final : public QAbstractTableModel {
 public:
  explicit FlexGridModel(int cols, QObject* parent) : QAbstractTableModel(parent), cols_(cols) {}

  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols_; }

  QVariant data(const QModelIndex& index, int role) const override {
    const int row = index.row(), col = index.column();
    switch (role) {
      case Qt::DisplayRole:
      case Qt::AccessibleTextRole:
        return Text(row, col);
      case Qt::FontRole: {
        const FlexGrid::CellLook look = Look(row, col);
        if (!look.bold && !look.strikeThrough) return {};
        QFont font;
        font.setBold(look.bold.value_or(false));
        font.setStrikeOut(look.strikeThrough.value_or(false));
        return font;
      }
      case Qt::ForegroundRole: {
        const FlexGrid::CellLook look = Look(row, col);
        return look.foreColor ? QVariant(*look.foreColor) : QVariant();
      }
      default:
        return {};
    }
  }

  // Row 0 is drawn as the view's header, so that it stays in place while the rows scroll.
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && (role == Qt::DisplayRole || role == Qt::AccessibleTextRole))
      return Text(0, section);
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    // The header row cannot be selected, as the fixed row of the old grid.
    return index.row() == 0 ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  }

  QString Text(int row, int col) const {
    auto cell = cells_.find(Key(row, col));
    if (cell != cells_.end()) return cell->text;
    return source_.text && row > 0 ? source_.text(row, col) : QString();
  }
  FlexGrid::CellLook Look(int row, int col) const {
    auto cell = cells_.find(Key(row, col));
    if (cell != cells_.end()) return cell->look;
    return source_.look && row > 0 ? source_.look(row, col) : FlexGrid::CellLook{};
  }

  void SetRows(int rows) {
    if (rows == rows_) return;
    if (rows > rows_) {
      beginInsertRows({}, rows_, rows - 1);
      rows_ = rows;
      endInsertRows();
    } else {
      beginRemoveRows({}, rows, rows_ - 1);
      rows_ = rows;
      for (auto it = cells_.begin(); it != cells_.end();)
        it = it.key() / cols_ >= static_cast<quint64>(rows) ? cells_.erase(it) : std::next(it);
      endRemoveRows();
    }
  }
  void SetText(int row, int col, const QString& text) {
    Cell& cell = Ensure(row, col);
    cell.text = text;
    Changed(row, col);
  }
  template <class F>
  void ChangeLook(int row, int col, F change) {
    change(Ensure(row, col).look);
    Changed(row, col);
  }
  void SetSource(FlexGrid::RowSource source) {
    beginResetModel();
    source_ = std::move(source);
    endResetModel();
  }

 private:
  struct Cell {
    QString text;
    FlexGrid::CellLook look;
  };
  quint64 Key(int row, int col) const { return static_cast<quint64>(row) * cols_ + col; }
  Cell& Ensure(int row, int col) {
    auto it = cells_.find(Key(row, col));
    if (it == cells_.end()) {
      // A cell written by hand starts from what the source showed there.
      it = cells_.insert(Key(row, col), Cell{Text(row, col), Look(row, col)});
    }
    return *it;
  }
  void Changed(int row, int col) {
    emit dataChanged(index(row, col), index(row, col));
    if (row == 0) emit headerDataChanged(Qt::Horizontal, col, col);
  }

  int cols_;
  int rows_ = 0;
  QHash<quint64, Cell> cells_;
  FlexGrid::RowSource source_;
};

FlexGrid::FlexGrid(int cols, QWidget* parent) : QTableView(parent), model_(new FlexGridModel(cols, this)) {
  setModel(model_);
  // The header shows row 0 and stays in place; it is no control of its own.
  QHeaderView* header = horizontalHeader();
  header->setSectionsClickable(false);
  header->setHighlightSections(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  FitRowsToFont();
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) { CurrentChanged(current); });
}

FlexGrid::~FlexGrid() = default;

int FlexGrid::Rows() const { return model_->rowCount(); }

void FlexGrid::SetRows(int rows) {
  model_->SetRows(rows);
  HideHeaderRow();
  if (row_ >= rows) MoveTo(std::max(0, rows - 1), col_);
}

void FlexGrid::SetRow(int row) { MoveTo(row, col_); }

void FlexGrid::SetCol(int col) { MoveTo(row_, col); }

QString FlexGrid::Text() const { return model_->Text(row_, col_); }

void FlexGrid::SetText(const QString& text) { model_->SetText(row_, col_, text); }

void FlexGrid::SetColWidth(int col, int twips) { setColumnWidth(col, TwipsToPixels(twips)); }

int FlexGrid::ColWidthFor(const QString& text) const {
  // The style sets a cell's text in from both sides; the grid line takes a pixel.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  return PixelsToTwips(fontMetrics().horizontalAdvance(text) + 2 * margin + (showGrid() ? 1 : 0));
}

void FlexGrid::SetCellFontStrikeThrough(bool on) {
  model_->ChangeLook(row_, col_, [on](CellLook& look) { look.strikeThrough = on; });
}

void FlexGrid::SetCellFontBold(bool on) {
  model_->ChangeLook(row_, col_, [on](CellLook& look) { look.bold = on; });
}

void FlexGrid::SetCellForeColor(const QColor& color) {
  model_->ChangeLook(row_, col_, [&color](CellLook& look) { look.foreColor = color; });
}

void FlexGrid::SetRowSource(RowSource source) {
  const int row = row_, col = col_;
  model_->SetSource(std::move(source));
  HideHeaderRow();
  MoveTo(row, col);
}

// Row 0 stays in the model, where Row, Text and the edit dialog address it, but the
// header draws it.
void FlexGrid::HideHeaderRow() {
  if (Rows() > 0) setRowHidden(0, true);
}

// A line of the grid's font, a little room and the grid line, as the old grid's rows
// (16 pixels for Tahoma 8.25 pt at 96 dpi), not the style's taller rows. A line is taken
// as at least 1.2 em, what Windows gives its interface fonts: some stand-in fonts report
// tighter lines.
void FlexGrid::FitRowsToFont() {
  const int line = std::max(fontMetrics().height(), qRound(QFontInfo(font()).pixelSize() * 1.2));
  verticalHeader()->setMinimumSectionSize(line + 3);
  verticalHeader()->setDefaultSectionSize(line + 3);
}

void FlexGrid::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitRowsToFont();
}

FlexGrid::CellLook FlexGrid::LookOf(int row, int col) const { return model_->Look(row, col); }

// Setting Row or Col makes a single cell current: the selection ends where it starts.
void FlexGrid::MoveTo(int row, int col) {
  row_ = rowSel_ = row;
  col_ = col;
  const QModelIndex index = model_->index(row, col);
  if (!index.isValid()) return;
  const auto command =
      row > 0 ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows : QItemSelectionModel::Clear;
  moving_ = true;
  // A move from code leaves the view where it is; Qt would scroll to the new current
  // cell, or do so when the view is next shown. The user's moves still scroll.
  const bool autoScroll = hasAutoScroll();
  setAutoScroll(false);
  selectionModel()->setCurrentIndex(index, command);
  setAutoScroll(autoScroll);
  moving_ = false;
  emit SelChange();
}

void FlexGrid::CurrentChanged(const QModelIndex& current) {
  if (!current.isValid() || moving_) return;
  rowSel_ = current.row();
  col_ = current.column();
  // A drag or a Shift-click extends the selection from where it began.
  if (!mouseDown_ && !extending_) row_ = rowSel_;
  emit SelChange();
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
  extending_ = event->modifiers() & Qt::ShiftModifier;
  mouseDown_ = true;
  const QModelIndex pressed = indexAt(event->position().toPoint());
  QTableView::mousePressEvent(event);
  if (!extending_ && pressed.isValid() && (model_->flags(pressed) & Qt::ItemIsSelectable)) {
    row_ = rowSel_ = pressed.row();
    col_ = pressed.column();
    emit SelChange();
  }
  extending_ = false;
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  mouseDown_ = false;
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
  extending_ = event->modifiers() & Qt::ShiftModifier;
  QTableView::keyPressEvent(event);
  extending_ = false;
}
