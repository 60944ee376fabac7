#include "widgets/GridFilterBox.h"

#include "widgets/FlexGrid.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QShortcut>

GridFilterBox::GridFilterBox(FlexGrid* grid, QWidget* parent) : QWidget(parent), m_grid(grid) {
    setObjectName(QStringLiteral("picFilter"));
    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(tr("Filter (Ctrl+F)"));
    txtFilter->setClearButtonEnabled(true);
    txtFilter->installEventFilter(this);
    lblFilterCount = new QLabel(this);
    lblFilterCount->setObjectName(QStringLiteral("lblFilterCount"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtFilter, 1);
    layout->addWidget(lblFilterCount);

    auto* find = new QShortcut(QKeySequence::Find, parent, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        txtFilter->setFocus(Qt::ShortcutFocusReason);
        txtFilter->selectAll();
    });
    connect(txtFilter, &QLineEdit::textChanged, this, &GridFilterBox::apply);
    // Rows coming and going change the count.
    FlexGridModel* model = grid->gridModel();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, this, &GridFilterBox::showCount);
    connect(model, &QAbstractItemModel::modelReset, this, &GridFilterBox::showCount);
    connect(model, &QAbstractItemModel::layoutChanged, this, &GridFilterBox::showCount);
}

void GridFilterBox::apply(const QString& text) {
    m_pending = text;
    if (m_preparing)
        return; // the text is taken when the grid is ready
    if (text.isEmpty()) {
        m_grid->setFilter(text);
        showCount();
        return;
    }
    prepare();
}

void GridFilterBox::prepare() {
    // Slices short enough for the window to answer between them.
    constexpr int64_t SliceNs = 30'000'000;
    const QPointer<GridFilterBox> alive(this);
    m_preparing = true;
    while (!m_grid->gridModel()->PrepareFilter(SliceNs)) {
        QCoreApplication::processEvents();
        if (!alive)
            return;
    }
    m_preparing = false;
    if (m_pending != m_grid->Filter()) {
        m_grid->setFilter(m_pending);
        showCount();
    }
}

QString GridFilterBox::CountText() const {
    if (m_grid->Filter().isEmpty())
        return {};
    const QLocale english(QLocale::English);
    return tr("%1 of %2 rows")
        .arg(english.toString(m_grid->FilterMatches()), english.toString(m_grid->Rows() - 1));
}

void GridFilterBox::showCount() {
    const QString text = CountText();
    if (text == lblFilterCount->text())
        return;
    lblFilterCount->setText(text);
    emit CountChanged(text);
}

bool GridFilterBox::eventFilter(QObject* watched, QEvent* event) {
    // The grid gets ready while the user is still reaching for the keys.
    if (watched == txtFilter && event->type() == QEvent::FocusIn && !m_preparing)
        QMetaObject::invokeMethod(
            this, [this] { prepare(); }, Qt::QueuedConnection);
    if (watched == txtFilter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && !txtFilter->text().isEmpty()) {
            txtFilter->clear();
            return true;
        }
        if (key == Qt::Key_Down || ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_grid->Rows() > 1)) {
            m_grid->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
