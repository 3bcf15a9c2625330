#include "app/CompactTabWidget.h"

#include <QProxyStyle>
#include <QTabBar>

namespace {

class CompactTabStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        // Room on both sides of a caption together.
        if (metric == PM_TabBarTabHSpace)
            return 10;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

CompactTabWidget::CompactTabWidget(QWidget *parent) : QTabWidget(parent)
{
    auto *style = new CompactTabStyle;
    style->setParent(this);
    tabBar()->setStyle(style);
    setUsesScrollButtons(false);
}
