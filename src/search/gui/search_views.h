#pragma once
// The found list with its tick and cross marks, and the evaluation memo that
// accepts only characters the project file can hold.
#include <QAbstractListModel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <functional>

namespace trevane {

class SearchPage;

// The entries of the page's found list, each with its material's availability.
class FoundListModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kAvailableRole = Qt::UserRole + 1;

    FoundListModel(const SearchPage& page, QObject* parent) : QAbstractListModel(parent), page_(page) {}
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void Reload();

private:
    const SearchPage& page_;
};

// One found entry: white row, the tick (available) or cross at the top left,
// the name 10 pixels in, black or silver.
class FoundListDelegate : public QStyledItemDelegate {
public:
    static constexpr int kRowHeight = 14;

    FoundListDelegate(QPixmap tick, QPixmap cross, QObject* parent)
        : QStyledItemDelegate(parent), tick_(std::move(tick)), cross_(std::move(cross)) {}
    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& opt, const QModelIndex& index) const override;
    // Draws the found entry `index` into rectangle r.
    void FoundListboxDrawItem(QPainter& canvas, const QModelIndex& index, const QRect& r, const QFont& font) const;

private:
    QPixmap tick_, cross_;
};

// The 8 x 8 marks of the found list.
QPixmap MakeTickPixmap();
QPixmap MakeCrossPixmap();

// A plain-text memo that refuses, with a beep, characters Windows-1252 has no byte for.
class Cp1252TextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Cp1252TextEdit(std::function<void()> beep, QWidget* parent)
        : QPlainTextEdit(parent), beep_(std::move(beep)) {}

    // The characters of `text` that fit; `dropped` tells whether any did not.
    static QString Fitting(const QString& text, bool* dropped);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    std::function<void()> beep_;
};

}  // namespace trevane
