#include "app/log_follow.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

log_follow::log_follow(QAbstractScrollArea *view)
    : QObject(view)
{
    QScrollBar *bar = view->verticalScrollBar();
    // Only the teacher's own scrolling decides; the view also moves itself while it lays the
    // text out, and that must not end the following.
    connect(bar, &QScrollBar::actionTriggered, this,
            [this, bar](int) { m_following = bar->sliderPosition() >= bar->maximum(); });
    const auto follow = [this, bar] {
        if (m_following && bar->value() != bar->maximum())
            bar->setValue(bar->maximum());
    };
    connect(bar, &QScrollBar::rangeChanged, this, follow);
    connect(bar, &QScrollBar::valueChanged, this, follow);
}
