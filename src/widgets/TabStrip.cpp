#include "widgets/TabStrip.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

TabStrip::TabStrip(QWidget* parent) : QWidget(parent), m_bar(new QTabBar(this)) {
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    connect(m_bar, &QTabBar::currentChanged, this, &TabStrip::Click);
}

int TabStrip::AddTab(const QString& key, const QString& caption, const QString& toolTip) {
    const QSignalBlocker quiet(m_bar); // the first tab becomes selected without a click
    const bool first = m_bar->count() == 0;
    const int index = m_bar->addTab(caption);
    m_bar->setTabData(index, key);
    m_bar->setTabToolTip(index, toolTip);
    m_bar->resize(m_bar->sizeHint().width(), m_bar->sizeHint().height());
    if (first)
        update();
    return index;
}

void TabStrip::Clear() {
    const QSignalBlocker quiet(m_bar);
    while (m_bar->count() > 0)
        m_bar->removeTab(0);
}

int TabStrip::Count() const {
    return m_bar->count();
}

QString TabStrip::Key(int index) const {
    return m_bar->tabData(index).toString();
}

QString TabStrip::Caption(int index) const {
    return m_bar->tabText(index);
}

void TabStrip::setCaption(int index, const QString& caption) {
    m_bar->setTabText(index, caption);
}

QString TabStrip::ToolTip(int index) const {
    return m_bar->tabToolTip(index);
}

int TabStrip::IndexOfKey(const QString& key) const {
    for (int i = 0; i < m_bar->count(); ++i)
        if (Key(i).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TabStrip::SelectedIndex() const {
    return m_bar->currentIndex();
}

void TabStrip::setSelectedIndex(int index) {
    m_bar->setCurrentIndex(index);
}

QString TabStrip::SelectedKey() const {
    return SelectedIndex() >= 0 ? Key(SelectedIndex()) : QString();
}

QString TabStrip::SelectedCaption() const {
    return SelectedIndex() >= 0 ? Caption(SelectedIndex()) : QString();
}

bool TabStrip::SelectKey(const QString& key) {
    const int index = IndexOfKey(key);
    if (index < 0)
        return false;
    setSelectedIndex(index);
    return true;
}

QRect TabStrip::ClientRect() const {
    return rect().adjusted(0, m_bar->sizeHint().height(), 0, 0);
}

QSize TabStrip::sizeHint() const {
    return QSize(std::max(200, m_bar->sizeHint().width()), m_bar->sizeHint().height() + 100);
}

void TabStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = ClientRect();
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = m_bar->sizeHint();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

void TabStrip::resizeEvent(QResizeEvent* event) {
    m_bar->setGeometry(0, 0, std::min(width(), m_bar->sizeHint().width()), m_bar->sizeHint().height());
    QWidget::resizeEvent(event);
}
