#pragma once
// The statistics page: the score table and its export.

#include "results/score_sheet.h"
#include "store/evaluation.h"

#include <optional>

class QAbstractButton;
class QTableWidget;
class dialogs;

struct score_page_widgets {
    QAbstractButton *servey;
    QTableWidget *score_show;
    QAbstractButton *out_file;
};

class score_page
{
public:
    score_page(const score_page_widgets &widgets, dialogs &dialogs);

    // Enables the page and gives the table one row per student and the header labels; cells
    // an earlier evaluation's statistics filled are emptied.
    void show(const evaluation &eval);
    // Disabled; every cell and header label removed: 0 rows, 0 columns.
    void reset();
    // The statistics: sets every student row's texts from the current scores, as "%.3f" for
    // the figures, reusing the cells' items.
    void fill(const evaluation &eval);
    // Fills the table again from eval's scores, if it was filled.
    void refresh(const evaluation &eval);
    // Asks for the workbook's name and writes the table into it, first bringing the table up
    // to date if a score changed since it was filled. Reports a failure.
    void export_table(const evaluation &eval);
    // A score changed: the table no longer shows the scores as they are.
    void scores_changed() { m_current = false; }

private:
    score_page_widgets m_widgets;
    dialogs &m_dialogs;
    // What the statistics last put into the table; none while its cells are empty.
    std::optional<score_sheet> m_sheet;
    // The table shows the scores as they are: no score changed since it was filled.
    bool m_current = false;
};
