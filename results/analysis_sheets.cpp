#include "results/analysis_sheets.h"

#include "store/score_text.h"

#include <QLocale>
#include <QObject>
#include <algorithm>

namespace {

workbook_cell optional_number(const std::optional<double> &value, workbook_cell::style format)
{
    return value ? workbook_number(*value, format) : workbook_cell();
}

QString shortest(double value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

// A threshold of the totals as the score it stands for, e.g. "≥90分".
workbook_cell threshold(const char *relation, double score)
{
    return workbook_text(QObject::tr("%1%2分").arg(QString::fromUtf8(relation), shortest(score_text_shown(score))));
}

QString kind_name(question_kind kind)
{
    switch (kind) {
    case question_kind::single: return QObject::tr("单选题");
    case question_kind::multiple: return QObject::tr("多选题");
    case question_kind::open: return QObject::tr("非选择题");
    }
    return {};
}

}  // namespace

workbook_sheet analysis_sheets_class(const class_figures &f)
{
    workbook_sheet sheet;
    sheet.name = QObject::tr("成绩分析");
    const int n = f.students;
    sheet.rows = {
        {workbook_text(QObject::tr("参考人数")), workbook_count(n)},
        {workbook_text(QObject::tr("满分")), workbook_score(f.full)},
        {workbook_text(QObject::tr("平均分")), workbook_score(f.mean)},
        {workbook_text(QObject::tr("最高分")), workbook_score(f.highest)},
        {workbook_text(QObject::tr("最低分")), workbook_score(f.lowest)},
        {workbook_text(QObject::tr("中位数")), workbook_score(f.median)},
        {workbook_text(QObject::tr("标准差")), workbook_score(f.deviation)},
        {workbook_text(QObject::tr("及格人数")), workbook_count(f.passed), threshold("≥", 0.6 * f.full)},
        {workbook_text(QObject::tr("及格率")), workbook_share(f.passed, n)},
        {workbook_text(QObject::tr("优秀人数")), workbook_count(f.excellent), threshold("≥", 0.85 * f.full)},
        {workbook_text(QObject::tr("优秀率")), workbook_share(f.excellent, n)},
        {workbook_text(QObject::tr("低分人数")), workbook_count(f.low), threshold("<", 0.4 * f.full)},
        {workbook_text(QObject::tr("低分率")), workbook_share(f.low, n)},
        {},
        {workbook_text(QObject::tr("分数段")), workbook_text(QObject::tr("人数")), workbook_text(QObject::tr("比例"))},
    };
    const int first_band = int(sheet.rows.size());
    for (int k = 9; k >= 0; --k) {
        const QString label = shortest(k * f.full / 10) + QLatin1Char('-') + shortest((k + 1) * f.full / 10);
        const int in_band = f.bands[std::size_t(k)];
        sheet.rows.push_back({workbook_text(label), workbook_count(in_band), workbook_share(in_band, n)});
    }
    sheet.widths = {12, 12, 10};
    sheet.frozen_rows = 1;
    // The bands' labels and counts beside the table, from the lowest band to the highest.
    workbook_chart bands;
    bands.title = QObject::tr("分数段人数");
    bands.first_row = first_band;
    bands.last_row = first_band + 9;
    bands.anchor_column = 4;
    bands.width = 576;
    bands.height = 360;
    bands.category_title = QObject::tr("分数段");
    bands.value_title = QObject::tr("人数");
    bands.reversed = true;
    sheet.charts.push_back(bands);
    return sheet;
}

workbook_sheet analysis_sheets_questions(const std::vector<question_figures> &questions)
{
    workbook_sheet sheet;
    sheet.name = QObject::tr("试题分析");
    workbook_row header;
    for (const char *label : {"题型", "题号", "满分", "平均分", "得分率", "满分人数", "零分人数", "区分度", "选A",
                              "选B", "选C", "选D", "选E", "选F", "未作答", "正确答案", "卷面题号"})
        header.push_back(workbook_text(QObject::tr(label)));
    sheet.rows.push_back(header);
    workbook_chart rates;
    for (const question_figures &q : questions) {
        workbook_row row{workbook_text(kind_name(q.kind)),
                         workbook_count(q.number),
                         workbook_score(q.full),
                         workbook_score(q.mean),
                         optional_number(q.rate, workbook_cell::style::percent),
                         workbook_count(q.full_count),
                         workbook_count(q.zero_count),
                         optional_number(q.discrimination, workbook_cell::style::score)};
        if (q.kind != question_kind::open) {
            for (const int chose : q.chose)
                row.push_back(workbook_count(chose));
            row.push_back(workbook_count(q.blank));
            row.push_back(workbook_text(answer_letters(q.key)));
        }
        // The paper numbers its questions through, single choice first.
        row.resize(16);
        row.push_back(workbook_count(int(sheet.rows.size())));
        sheet.rows.push_back(row);
        rates.groups.push_back(int(q.kind));
    }
    sheet.widths = {10, 6, 9, 9, 9, 9, 9, 9, 6, 6, 6, 6, 6, 6, 8, 9, 9};
    sheet.frozen_rows = 1;
    if (questions.empty())
        return sheet;
    // 得分率 by the paper's numbers beside the table, question 1 at the top, a bar's room for
    // every question; the bars coloured by kind.
    rates.kind = workbook_chart::type::bar;
    rates.title = QObject::tr("各题得分率");
    rates.first_row = 1;
    rates.last_row = int(questions.size());
    rates.category_column = 16;
    rates.value_column = 4;
    rates.anchor_column = 18;
    rates.height = std::max(rates.height, 20 * int(questions.size()) + 120);
    rates.category_title = QObject::tr("卷面题号");
    rates.value_title = QObject::tr("得分率");
    rates.reversed = true;
    rates.value_max = 1;
    rates.value_percent = true;
    for (const question_kind kind : {question_kind::single, question_kind::multiple, question_kind::open})
        rates.group_names.push_back(kind_name(kind));
    sheet.charts.push_back(rates);
    return sheet;
}
