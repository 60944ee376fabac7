#include "store/viewers/DetailViewer.h"

#include "store/viewers/XmlOutline.h"
#include "widgets/FlexGrid.h"
#include "widgets/MsgBox.h"
#include "widgets/TabStrip.h"
#include "widgets/Twips.h"

namespace {
constexpr int Parked = -20000;
}

DetailViewer::DetailViewer(const QString& firstKey, const QString& firstCaption, const QString& secondKey,
                           const QString& secondCaption, QWidget* parent)
    : QDialog(parent), tabDetail(new TabStrip(this)), m_firstKey(firstKey) {
    tabDetail->setObjectName(QStringLiteral("tabDetail"));
    tabDetail->AddTab(firstKey, firstCaption);
    tabDetail->AddTab(secondKey, secondCaption);
    connect(tabDetail, &TabStrip::Click, this, &DetailViewer::ShowSelectedTab);
    resize(720, 520);
    // The tabs and a few rows of the outline, however small the window is made.
    setMinimumSize(TwipsToPixels(4000, this), TwipsToPixels(3000, this));
}

void DetailViewer::setGrids(FlexGrid* first, FlexGrid* second) {
    m_first = first;
    m_second = second;
    m_first->raise();
    m_second->raise();
    placeGrids();
}

void DetailViewer::SetUpOutlineGrid(FlexGrid& grid) {
    grid.setFormatString(QStringLiteral("Tag|Value"));
    grid.setRows(1);
    grid.setOutlineCol(0);
    grid.setOutlineBar(true);
    grid.setSelectionMode(FlexGrid::SelectionMode::ByRow);
}

bool DetailViewer::AddOutline(FlexGrid& grid, const QString& xml, bool maskCardNo) {
    XmlOutline outline;
    if (!outline.load(xml, maskCardNo)) {
        MsgBox(QStringLiteral("Unable to parse xml document due to error: ") + outline.error(),
               MsgBoxStyle::OKOnly);
        return false;
    }
    for (const OutlineRow& node : outline.rows()) {
        grid.AddItem(node.tag + QLatin1Char('\t') + node.value);
        const int32_t row = grid.Rows() - 1;
        grid.setIsSubtotal(row, true);
        grid.setRowOutlineLevel(row, node.level);
        if (node.valueColour().isValid())
            grid.setCellBackColor(row, 1, node.valueColour());
    }
    return true;
}

void DetailViewer::ShowSelectedTab() {
    placeGrids();
}

void DetailViewer::placeGrids() {
    if (!m_first || !m_second)
        return;
    const bool first = tabDetail->SelectedKey().compare(m_firstKey, Qt::CaseInsensitive) == 0;
    FlexGrid* shown = first ? m_first : m_second;
    FlexGrid* parked = first ? m_second : m_first;
    const QRect tab = tabDetail->geometry();
    const int left = tab.left() + TwipsToPixels(60, this);
    const int top = tab.top() + TwipsToPixels(400, this);
    const QSize size(tab.width() - TwipsToPixels(120, this), tab.height() - TwipsToPixels(400 + 120, this));
    shown->setGeometry(QRect(QPoint(left, top), size));
    shown->setEnabled(true);
    parked->setGeometry(QRect(QPoint(Parked, top), size));
    parked->setEnabled(false);
}

void DetailViewer::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isMinimized())
        return;
    const int margin = TwipsToPixels(60, this);
    tabDetail->setGeometry(margin, margin, width() - 2 * margin, height() - 2 * margin);
    placeGrids();
}
