#pragma once
// The grading log keeps its last line in view, as a terminal does.

#include <QObject>

class QAbstractScrollArea;

// While the view is at its end, it stays there as the text grows; once the teacher scrolls
// up it stays put, until they scroll back to the end. The document is laid out lazily, in the
// background, so a large log grows for a while after its lines were added: the view follows
// that too, without forcing the whole layout at once.
class log_follow : public QObject
{
public:
    explicit log_follow(QAbstractScrollArea *view);

private:
    bool m_following = true;
};
