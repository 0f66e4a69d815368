// smoke WORKBOOK SECONDS: writes WORKBOOK (a sheet with a Chinese name, a Chinese label and a
// number), then shows a Chinese label for SECONDS. Exits 1 when the workbook fails.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <xlsxwriter.h>

// No Q_IMPORT_PLUGIN: for a static Qt, its CMake files import the windows platform plugin and
// the windowsvista style into every program that links Qt5::Gui and Qt5::Widgets.

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    lxw_workbook *workbook = workbook_new(args.at(1).toUtf8().constData());
    if (!workbook)
        return 1;
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, "成绩分析");
    worksheet_write_string(sheet, 0, 0, "平均分", nullptr);
    worksheet_write_number(sheet, 0, 1, 87.5, nullptr);
    if (workbook_close(workbook) != LXW_NO_ERROR)
        return 1;

    QLabel label(QStringLiteral("评测端：中文显示正常"));
    QFont font = label.font();
    font.setPointSize(28);
    label.setFont(font);
    label.show();
    QTimer::singleShot(args.at(2).toInt() * 1000, &app, &QApplication::quit);
    return app.exec();
}
