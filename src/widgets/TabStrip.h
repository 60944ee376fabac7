#pragma once

#include <QWidget>

class QTabBar;

// A tab strip: a row of tabs, each with a key, a caption and a tool tip, over a framed client area on which
// the form places its own controls. Keys are compared without regard to letter case.
class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent = nullptr);

    // Adds a tab and returns its index (from 0).
    int AddTab(const QString& key, const QString& caption, const QString& toolTip = {});
    void Clear();
    int Count() const;

    QString Key(int index) const;
    QString Caption(int index) const;
    void setCaption(int index, const QString& caption);
    QString ToolTip(int index) const;
    int IndexOfKey(const QString& key) const; // -1 when no tab has the key

    int SelectedIndex() const;
    void setSelectedIndex(int index);
    QString SelectedKey() const;
    QString SelectedCaption() const;
    // Selects the tab with the key; false when there is none.
    bool SelectKey(const QString& key);

    // The framed area below the tabs, in this widget's coordinates.
    QRect ClientRect() const;
    QTabBar* tabBar() const { return m_bar; }

    QSize sizeHint() const override;

signals:
    // The selected tab changed, by the user or by the program.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* m_bar;
};
