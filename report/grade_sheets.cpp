#include "report/grade_sheets.h"

#include "results/score_export.h"
#include "results/sheet_name.h"
#include "results/workbook_print.h"

#include <QObject>
#include <algorithm>

workbook_sheet grade_sheets_summary(const std::vector<grade_summary_row> &rows)
{
    workbook_sheet sheet;
    sheet.name = QObject::tr("年级汇总");
    workbook_row header;
    for (const char *label : {"班级", "参考人数", "平均分", "最高分", "最低分", "及格率", "优秀率", "低分率", "中位数",
                              "标准差", "平均分名次", "超均率"})
        header.push_back(workbook_text(QObject::tr(label)));
    sheet.rows.push_back(header);
    for (const grade_summary_row &row : rows) {
        const class_figures &f = row.figures;
        sheet.rows.push_back({workbook_text(row.name), workbook_count(f.students), workbook_score(f.mean),
                              workbook_score(f.highest), workbook_score(f.lowest), workbook_share(f.passed, f.students),
                              workbook_share(f.excellent, f.students), workbook_share(f.low, f.students),
                              workbook_score(f.median), workbook_score(f.deviation),
                              row.mean_rank ? workbook_count(row.mean_rank) : workbook_cell(),
                              row.above_mean ? workbook_number(*row.above_mean, workbook_cell::style::percent)
                                             : workbook_cell()});
    }
    sheet.widths = {16, 9, 10, 10, 10, 9, 9, 9, 10, 10, 11, 9};
    sheet.frozen_rows = 1;
    const int classes = int(rows.size()) - 1;
    if (classes <= 0)
        return sheet;
    // Below the table, a bar's room for every class, against the paper's full score.
    workbook_chart means;
    means.title = QObject::tr("各班平均分");
    means.first_row = 1;
    means.last_row = classes;
    means.value_column = 2;
    means.anchor_row = classes + 3;
    means.width = std::max(means.width, 48 * classes + 160);
    means.category_title = QObject::tr("班级");
    means.value_title = QObject::tr("平均分");
    means.value_max = rows.back().figures.full;
    sheet.charts.push_back(means);
    return sheet;
}

workbook_sheet grade_sheets_ranking(const std::vector<grade_rank_row> &rows)
{
    workbook_sheet sheet;
    sheet.name = QObject::tr("年级排名");
    workbook_row header;
    for (const char *label : {"班级", "学生", "总分", "年级名次", "班级名次"})
        header.push_back(workbook_text(QObject::tr(label)));
    sheet.rows.push_back(header);
    sheet.rows.reserve(rows.size() + 1);
    for (const grade_rank_row &row : rows)
        sheet.rows.push_back({workbook_text(row.class_name), workbook_text(row.student), workbook_score(row.total),
                              workbook_count(row.grade_rank), workbook_count(row.class_rank)});
    sheet.widths = {16, 16, 10, 9, 9};
    sheet.frozen_rows = 1;
    return sheet;
}

workbook grade_sheets_workbook(const std::vector<grade_class> &classes, bool ranking, const QString &title,
                               const QDate &day)
{
    workbook book{grade_sheets_summary(grade_figures_summary(classes))};
    if (ranking)
        book.push_back(grade_sheets_ranking(grade_figures_ranking(classes)));
    QStringList taken;
    for (workbook_sheet &sheet : book) {
        workbook_print_set(sheet, title, day);
        taken << sheet.name;
    }
    for (const grade_class &cls : classes) {
        workbook sheets = score_export_workbook(cls.eval, cls.sheet, day);
        // The window's export names the analysis sheets; here each takes its class's name in front.
        sheets[0].name = sheet_name_make(cls.name, QString(), &taken);
        for (std::size_t i = 1; i < sheets.size(); ++i)
            sheets[i].name = sheet_name_make(cls.name, sheets[i].name, &taken);
        for (workbook_sheet &sheet : sheets)
            book.push_back(std::move(sheet));
    }
    return book;
}
