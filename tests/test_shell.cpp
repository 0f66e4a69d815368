// The main window as a whole: its widget tree, texts, initial states, keyboard order, the
// read-only score table, meta-object and the wiring of the twelve buttons to their slots.

#include "app/lumo_test.h"
#include "app/start.h"
#include "eval_fixture.h"
#include "window_driver.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QDockWidget>
#include <QGridLayout>
#include <QHeaderView>
#include <QImage>
#include <QLCDNumber>
#include <QLabel>
#include <QMetaMethod>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTranslator>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

// One widget of the tree: its class, the grid layout it sits in and its cell there.
struct cell {
    const char *name;
    const char *cls;
    const char *layout;
    int row;
    int column;
    int row_span;
    int column_span;
};

// Every widget placed in a layout, per layout in the order the widgets are created.
const cell k_cells[] = {
    {"close_paper", "QPushButton", "gridLayout", 0, 2, 1, 1},
    {"save_paper", "QPushButton", "gridLayout", 0, 3, 1, 1},
    {"open_paper", "QPushButton", "gridLayout", 0, 1, 1, 1},
    {"new_paper", "QPushButton", "gridLayout", 0, 0, 1, 1},
    {"tabWidget", "QTabWidget", "gridLayout", 1, 0, 1, 4},

    {"some_num", "QLabel", "gridLayout_2", 2, 1, 1, 1},
    {"onech_num", "QLabel", "gridLayout_2", 1, 1, 1, 1},
    {"label_3", "QLabel", "gridLayout_2", 2, 0, 1, 1},
    {"stu_num", "QLabel", "gridLayout_2", 5, 1, 1, 1},
    {"label_4", "QLabel", "gridLayout_2", 3, 0, 1, 1},
    {"label", "QLabel", "gridLayout_2", 4, 0, 1, 1},
    {"score_total", "QLabel", "gridLayout_2", 4, 1, 1, 1},
    {"label_5", "QLabel", "gridLayout_2", 5, 0, 1, 1},
    {"label_2", "QLabel", "gridLayout_2", 1, 0, 1, 1},
    {"notch_num", "QLabel", "gridLayout_2", 3, 1, 1, 1},
    {"label_15", "QLabel", "gridLayout_2", 0, 0, 1, 2},

    {"ch_ifm_show", "QTextBrowser", "gridLayout_3", 2, 0, 1, 1},
    {"test_ch", "QPushButton", "gridLayout_3", 0, 0, 1, 1},
    {"label_10", "QLabel", "gridLayout_3", 1, 0, 1, 1},
    {"pingce", "QLabel", "gridLayout_3", 3, 0, 1, 1},
    {"jingdu", "QProgressBar", "gridLayout_3", 4, 0, 1, 1},

    {"label_6", "QLabel", "gridLayout_5", 1, 0, 1, 1},
    {"next_pro", "QPushButton", "gridLayout_5", 8, 3, 1, 2},
    {"save_score", "QPushButton", "gridLayout_5", 7, 2, 2, 1},
    {"pro_ans", "QTextBrowser", "gridLayout_5", 4, 2, 1, 3},
    {"label_7", "QLabel", "gridLayout_5", 5, 1, 1, 1},
    {"last_stu", "QPushButton", "gridLayout_5", 7, 0, 1, 2},
    {"stu_ans", "QTextBrowser", "gridLayout_5", 6, 0, 1, 5},
    {"last_pro", "QPushButton", "gridLayout_5", 8, 0, 1, 2},
    {"next_stu", "QPushButton", "gridLayout_5", 7, 3, 1, 2},
    {"unch_score_in", "QDoubleSpinBox", "gridLayout_5", 5, 4, 1, 1},
    {"unch_pro", "QTextBrowser", "gridLayout_5", 4, 0, 1, 2},
    {"stu_now", "QLCDNumber", "gridLayout_5", 1, 1, 1, 1},
    {"label_12", "QLabel", "gridLayout_5", 0, 0, 1, 1},
    {"stu_tot", "QLCDNumber", "gridLayout_5", 1, 3, 1, 1},
    {"pro_score", "QLCDNumber", "gridLayout_5", 5, 2, 1, 1},
    {"label_9", "QLabel", "gridLayout_5", 1, 2, 1, 1},
    {"label_19", "QLabel", "gridLayout_5", 5, 3, 1, 1},
    {"label_8", "QLabel", "gridLayout_5", 0, 2, 1, 1},
    {"label_13", "QLabel", "gridLayout_5", 5, 0, 1, 1},
    {"pro_tot", "QLCDNumber", "gridLayout_5", 0, 3, 1, 1},
    {"pro_now", "QLCDNumber", "gridLayout_5", 0, 1, 1, 1},
    {"label_14", "QLabel", "gridLayout_5", 2, 0, 1, 1},
    {"label_11", "QLabel", "gridLayout_5", 2, 2, 1, 1},

    {"servey", "QPushButton", "gridLayout_4", 0, 0, 1, 1},
    {"out_file", "QPushButton", "gridLayout_4", 2, 0, 1, 1},
    {"score_show", "QTableWidget", "gridLayout_4", 1, 0, 1, 1},
};

// The five grid layouts: the widget each one lays out and its extent in rows and columns.
struct grid {
    const char *name;
    const char *owner;
    int rows;
    int columns;
};

const grid k_grids[] = {
    {"gridLayout", "centralWidget", 2, 4},
    {"gridLayout_2", "main_page", 6, 2},
    {"gridLayout_3", "ch_page", 5, 1},
    {"gridLayout_5", "unch_page", 9, 5},
    {"gridLayout_4", "score_servey", 3, 1},
};

// The twelve buttons in the order of the window's slots.
const char *const k_buttons[] = {
    "new_paper", "open_paper", "test_ch", "save_score", "last_stu", "next_stu",
    "last_pro", "next_pro", "servey", "save_paper", "close_paper", "out_file",
};

const char *const k_pages[] = {"main_page", "ch_page", "unch_page", "score_servey"};

QString rich(int pt, const QString &caption)
{
    return QStringLiteral("<html><head/><body><p><span style=\" font-size:%1pt;\">%2</span></p></body></html>")
        .arg(pt)
        .arg(caption);
}

template <typename T = QWidget>
T *child(const QObject &root, const char *name)
{
    return root.findChild<T *>(QString::fromLatin1(name));
}

// QObject::receivers is protected; a pointer to it formed through a derived class may be
// applied to any QObject.
struct receivers_probe : QObject {
    static int count(const QObject *sender, const char *signal)
    {
        int (QObject::*fn)(const char *) const = &receivers_probe::receivers;
        return (sender->*fn)(signal);
    }
};

// Records every lookup of the translation function and translates nothing.
class recording_translator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char * = nullptr,
                      int = -1) const override
    {
        lookups.push_back({QString::fromUtf8(context), QString::fromUtf8(source)});
        return QString();
    }
    bool isEmpty() const override { return false; }

    mutable std::vector<std::pair<QString, QString>> lookups;
};

std::vector<QString> *g_warnings = nullptr;

void collect_warnings(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (g_warnings && type != QtDebugMsg && type != QtInfoMsg)
        g_warnings->push_back(text);
}

} // namespace

class test_shell : public QObject
{
    Q_OBJECT

private slots:
    void whole_tree_is_named_as_expected();
    void widget_cells_data();
    void widget_cells();
    void layouts_data();
    void layouts();
    void texts_data();
    void texts();
    void title_label();
    void texts_go_through_translation_context();
    void initial_enabled_states_data();
    void initial_enabled_states();
    void initial_values();
    void tabs();
    void tab_key_order_of_evaluation_buttons();
    void score_spin_box_settings();
    void score_table_cannot_be_edited_or_sorted();
    void window_settings();
    void window_icon();
    void title_before_and_after_start();
    void meta_object_class();
    void meta_object_slots_data();
    void meta_object_slots();
    void buttons_wired_once_data();
    void buttons_wired_once();
};

void test_shell::whole_tree_is_named_as_expected()
{
    lumo_test w;
    QSet<QString> expected{QStringLiteral("centralWidget")};
    for (const cell &c : k_cells)
        expected.insert(QString::fromLatin1(c.name));
    for (const grid &g : k_grids)
        expected.insert(QString::fromLatin1(g.name));
    for (const char *page : k_pages)
        expected.insert(QString::fromLatin1(page));

    // What the toolkit creates for itself is named "qt_..." or not at all, except the main
    // window's own layout and the tab bar's scroll buttons.
    QSet<QString> found;
    for (QObject *o : w.findChildren<QObject *>()) {
        const QString name = o->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || o == w.layout()
            || qobject_cast<QTabBar *>(o->parent()))
            continue;
        QVERIFY2(!found.contains(name), qPrintable(QStringLiteral("duplicate object name ") + name));
        found.insert(name);
    }
    QStringList extra = (found - expected).values(), missing = (expected - found).values();
    extra.sort();
    missing.sort();
    QVERIFY2(extra.isEmpty(), qPrintable(QStringLiteral("unexpected: ") + extra.join(QLatin1Char(' '))));
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing: ") + missing.join(QLatin1Char(' '))));
    QCOMPARE(w.objectName(), QStringLiteral("lumo_test"));
    QCOMPARE(w.centralWidget(), child(w, "centralWidget"));
    QCOMPARE(child(w, "centralWidget")->metaObject()->className(), "QWidget");
    for (const char *page : k_pages)
        QCOMPARE(child(w, page)->metaObject()->className(), "QWidget");
}

void test_shell::widget_cells_data()
{
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row_span");
    QTest::addColumn<int>("column_span");
    for (const cell &c : k_cells)
        QTest::newRow(c.name) << QString::fromLatin1(c.cls) << QString::fromLatin1(c.layout) << c.row
                              << c.column << c.row_span << c.column_span;
}

void test_shell::widget_cells()
{
    QFETCH(QString, cls);
    QFETCH(QString, layout);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, row_span);
    QFETCH(int, column_span);

    lumo_test w;
    QWidget *widget = w.findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), cls);
    auto *grid_layout = w.findChild<QGridLayout *>(layout);
    QVERIFY(grid_layout);
    QCOMPARE(widget->parentWidget(), grid_layout->parentWidget());

    const int index = grid_layout->indexOf(widget);
    QVERIFY(index >= 0);
    int r = -1, c = -1, rs = -1, cs = -1;
    grid_layout->getItemPosition(index, &r, &c, &rs, &cs);
    QCOMPARE(r, row);
    QCOMPARE(c, column);
    QCOMPARE(rs, row_span);
    QCOMPARE(cs, column_span);
    QCOMPARE(grid_layout->itemAt(index)->alignment(), Qt::Alignment());
}

void test_shell::layouts_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    for (const grid &g : k_grids)
        QTest::newRow(g.name) << QString::fromLatin1(g.owner) << g.rows << g.columns;
}

void test_shell::layouts()
{
    QFETCH(QString, owner);
    QFETCH(int, rows);
    QFETCH(int, columns);

    lumo_test w;
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    auto *layout = w.findChild<QLayout *>(name);
    QVERIFY(layout);
    QCOMPARE(layout->metaObject()->className(), "QGridLayout");
    auto *grid_layout = static_cast<QGridLayout *>(layout);
    QWidget *owner_widget = w.findChild<QWidget *>(owner);
    QVERIFY(owner_widget);
    QCOMPARE(owner_widget->layout(), layout);
    QCOMPARE(grid_layout->spacing(), 6);   // -1 unless both directions agree
    QCOMPARE(grid_layout->contentsMargins(), QMargins(11, 11, 11, 11));
    QCOMPARE(grid_layout->rowCount(), rows);
    QCOMPARE(grid_layout->columnCount(), columns);

    // The owner's children are listed in the order they were made, layout first, and the
    // layout holds its widgets in the order they were added: nothing else, no spacer.
    QStringList expected{name};
    for (const cell &c : k_cells)
        if (QString::fromLatin1(c.layout) == name)
            expected << QString::fromLatin1(c.name);
    QStringList made;
    for (QObject *o : owner_widget->children())
        made << o->objectName();
    QCOMPARE(made, expected);
    QStringList items;
    for (int i = 0; i < grid_layout->count(); ++i) {
        QWidget *widget = grid_layout->itemAt(i)->widget();
        items << (widget ? widget->objectName() : QStringLiteral("<not a widget>"));
    }
    QCOMPARE(items, expected.mid(1));
}

void test_shell::texts_data()
{
    QTest::addColumn<int>("pt");
    QTest::addColumn<QString>("caption");

    // Push buttons (pt 0): the plain text.
    QTest::newRow("new_paper") << 0 << QStringLiteral("新建评测");
    QTest::newRow("open_paper") << 0 << QStringLiteral("打开评测");
    QTest::newRow("close_paper") << 0 << QStringLiteral("关闭当前评测");
    QTest::newRow("save_paper") << 0 << QStringLiteral("保存当前评测");
    QTest::newRow("test_ch") << 0 << QStringLiteral("评测选择题");
    QTest::newRow("last_stu") << 0 << QStringLiteral(" 上一学生");
    QTest::newRow("save_score") << 0 << QStringLiteral("保存当前评分");
    QTest::newRow("next_stu") << 0 << QStringLiteral("下一学生");
    QTest::newRow("last_pro") << 0 << QStringLiteral("上一题");
    QTest::newRow("next_pro") << 0 << QStringLiteral("下一题");
    QTest::newRow("servey") << 0 << QStringLiteral("统计成绩");
    QTest::newRow("out_file") << 0 << QStringLiteral("导出文件");

    // Labels: the caption in a span of the given point size.
    QTest::newRow("label_2") << 14 << QStringLiteral("单选题数量：");
    QTest::newRow("onech_num") << 14 << QStringLiteral("未打开评测");
    QTest::newRow("label_3") << 14 << QStringLiteral("多选题数量：");
    QTest::newRow("some_num") << 14 << QStringLiteral("未打开评测");
    QTest::newRow("label_4") << 14 << QStringLiteral("非选择题数量：");
    QTest::newRow("notch_num") << 14 << QStringLiteral("未打开评测");
    QTest::newRow("label") << 14 << QStringLiteral("总分确认：");
    QTest::newRow("score_total") << 14 << QStringLiteral("未打开评测");
    QTest::newRow("label_5") << 14 << QStringLiteral("学生数量：");
    QTest::newRow("stu_num") << 14 << QStringLiteral("未打开评测");
    QTest::newRow("label_10") << 10 << QStringLiteral("评测信息");
    QTest::newRow("pingce") << 10 << QStringLiteral("未进行操作");
    QTest::newRow("label_12") << 10 << QStringLiteral("题目编号：");
    QTest::newRow("label_8") << 10 << QStringLiteral("题目总数：");
    QTest::newRow("label_6") << 10 << QStringLiteral("学生编号：");
    QTest::newRow("label_9") << 10 << QStringLiteral("学生总数：");
    QTest::newRow("label_14") << 10 << QStringLiteral("题面：");
    QTest::newRow("label_11") << 10 << QStringLiteral("参考答案：");
    QTest::newRow("label_13") << 10 << QStringLiteral("学生答案：");
    QTest::newRow("label_7") << 10 << QStringLiteral("题目满分：");
    QTest::newRow("label_19") << 10 << QStringLiteral("学生得分：");
}

void test_shell::texts()
{
    QFETCH(int, pt);
    QFETCH(QString, caption);

    lumo_test w;
    const char *name = QTest::currentDataTag();
    if (pt == 0) {
        auto *button = child<QPushButton>(w, name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        return;
    }
    auto *label = child<QLabel>(w, name);
    QVERIFY(label);
    QCOMPARE(label->text(), rich(pt, caption));
    QCOMPARE(label->textFormat(), Qt::AutoText);   // shown as rich text, not as its markup
}

void test_shell::title_label()
{
    lumo_test w;
    auto *label = child<QLabel>(w, "label_15");
    QVERIFY(label);
    const QString site = QStringLiteral("https://lumo-test.example.org");
    QCOMPARE(label->text(),
             QStringLiteral("<html><head/><body>"
                            "<p><span style=\" font-size:18pt;\">LUMO试卷评测系统-评测端（教师）-lumo_test</span></p>"
                            "<p><span style=\" font-size:10pt;\">官网：</span>"
                            "<a href=\"%1\"><span style=\" text-decoration: underline; color:#0000ff;\">%1</span></a></p>"
                            "</body></html>")
                 .arg(site));
    QVERIFY(!label->openExternalLinks());
}

void test_shell::texts_go_through_translation_context()
{
    recording_translator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    std::vector<std::pair<QString, QString>> lookups;
    {
        lumo_test w;
        lookups = translator.lookups;
        QCoreApplication::removeTranslator(&translator);
    }

    QStringList own;
    for (const auto &lookup : lookups)
        if (lookup.first == QLatin1String("lumo_test"))
            own << lookup.second;
    // Title, tool tip, twelve buttons, twenty-two labels, four tab titles: each set once.
    QCOMPARE(own.size(), 1 + 1 + 12 + 22 + 4);
    // The five counters of the main page share one text.
    QCOMPARE(QSet<QString>(own.begin(), own.end()).size(), 1 + 1 + 12 + (22 - 4) + 4);
    const QStringList expected{
        QStringLiteral("lumo_test"),
        QStringLiteral("<html><head/><body><p><br/></p></body></html>"),
        QStringLiteral("新建评测"),
        QStringLiteral(" 上一学生"),
        QStringLiteral("导出文件"),
        rich(14, QStringLiteral("未打开评测")),
        rich(10, QStringLiteral("未进行操作")),
        rich(10, QStringLiteral("学生得分：")),
        QStringLiteral("总控制页"),
        QStringLiteral("选择题评测"),
        QStringLiteral("非选择题评测"),
        QStringLiteral("成绩统计"),
    };
    for (const QString &text : expected)
        QVERIFY2(own.contains(text), qPrintable(text));
    QCOMPARE(own.count(rich(14, QStringLiteral("未打开评测"))), 5);
    QCOMPARE(own.first(), QStringLiteral("lumo_test"));
}

void test_shell::initial_enabled_states_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("new_paper") << true;
    QTest::newRow("open_paper") << true;
    QTest::newRow("close_paper") << false;
    QTest::newRow("save_paper") << false;
    QTest::newRow("test_ch") << false;
    QTest::newRow("save_score") << false;
    QTest::newRow("last_stu") << false;
    QTest::newRow("next_stu") << false;
    QTest::newRow("last_pro") << false;
    QTest::newRow("next_pro") << false;
    QTest::newRow("servey") << false;
    QTest::newRow("out_file") << false;
    QTest::newRow("ch_ifm_show") << false;
    QTest::newRow("unch_pro") << false;
    QTest::newRow("pro_ans") << false;
    QTest::newRow("stu_ans") << false;
    QTest::newRow("unch_score_in") << false;
    QTest::newRow("score_show") << false;
    QTest::newRow("jingdu") << true;
    QTest::newRow("tabWidget") << true;
    QTest::newRow("pingce") << true;
    QTest::newRow("label_15") << true;
    QTest::newRow("onech_num") << true;
    QTest::newRow("pro_now") << true;
    QTest::newRow("pro_score") << true;
    for (const char *page : k_pages)
        QTest::newRow(page) << true;
}

void test_shell::initial_enabled_states()
{
    QFETCH(bool, enabled);
    lumo_test w;
    QWidget *widget = child(w, QTest::currentDataTag());
    QVERIFY(widget);
    QCOMPARE(widget->isEnabled(), enabled);
}

void test_shell::initial_values()
{
    lumo_test w;
    auto *bar = child<QProgressBar>(w, "jingdu");
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);

    for (const char *name : {"pro_now", "pro_tot", "stu_now", "stu_tot", "pro_score"}) {
        auto *lcd = child<QLCDNumber>(w, name);
        QVERIFY2(lcd, name);
        QCOMPARE(lcd->value(), 0.0);
        QCOMPARE(lcd->digitCount(), 5);
        QCOMPARE(lcd->mode(), QLCDNumber::Dec);
        QCOMPARE(lcd->segmentStyle(), QLCDNumber::Flat);   // outlined segments are hard to read
    }
    for (const char *name : {"ch_ifm_show", "unch_pro", "pro_ans", "stu_ans"}) {
        auto *browser = child<QTextBrowser>(w, name);
        QVERIFY2(browser, name);
        QVERIFY(browser->toPlainText().isEmpty());
        QVERIFY(browser->isReadOnly());
    }
    auto *table = child<QTableWidget>(w, "score_show");
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(table->columnCount(), 0);
}

void test_shell::tabs()
{
    lumo_test w;
    auto *tabs = child<QTabWidget>(w, "tabWidget");
    QVERIFY(tabs);
    QCOMPARE(tabs->toolTip(), QStringLiteral("<html><head/><body><p><br/></p></body></html>"));
    const QStringList titles{QStringLiteral("总控制页"), QStringLiteral("选择题评测"),
                             QStringLiteral("非选择题评测"), QStringLiteral("成绩统计")};
    QCOMPARE(tabs->count(), 4);
    for (int i = 0; i < tabs->count(); ++i) {
        QCOMPARE(tabs->tabText(i), titles.at(i));
        QCOMPARE(tabs->widget(i)->objectName(), QString::fromLatin1(k_pages[i]));
        QVERIFY(tabs->isTabEnabled(i));   // every page can be chosen, evaluation open or not
    }
    QCOMPARE(tabs->currentIndex(), 0);
}

void test_shell::tab_key_order_of_evaluation_buttons()
{
    lumo_test w;
    const char *const order[] = {"close_paper", "save_paper", "open_paper", "new_paper"};
    for (const char *name : order)
        child(w, name)->setEnabled(true);

    // Tab follows the order of creation, not the left-to-right order.
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    child(w, order[0])->setFocus(Qt::OtherFocusReason);
    QCOMPARE(QApplication::focusWidget(), child(w, order[0]));
    for (int i = 1; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child(w, order[i]));
    }
    // Backwards the same way.
    for (int i = 2; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), child(w, order[i]));
    }
}

void test_shell::score_spin_box_settings()
{
    lumo_test w;
    auto *spin = child<QDoubleSpinBox>(w, "unch_score_in");
    QVERIFY(spin);
    QCOMPARE(spin->decimals(), 3);
    QCOMPARE(spin->singleStep(), 0.5);
    QCOMPARE(spin->minimum(), 0.0);
    QCOMPARE(spin->maximum(), 99.99);
    QCOMPARE(spin->value(), 0.0);
    // Scores read with a point, as everywhere else, whatever the user's locale.
    QLocale::setDefault(QLocale(QLocale::German));
    QString shown;
    {
        lumo_test german;
        shown = child<QDoubleSpinBox>(german, "unch_score_in")->cleanText();
    }
    QLocale::setDefault(QLocale::c());
    QCOMPARE(shown, QStringLiteral("0.000"));
}

// The table changes only through open, close and the statistics: no click, double click or
// key opens an editor on a cell, and no click on a header re-sorts the rows.
void test_shell::score_table_cannot_be_edited_or_sorted()
{
    window_driver d;
    auto *table = d.find<QTableWidget>("score_show");
    QVERIFY(!table->hasMouseTracking());
    QVERIFY(table->horizontalHeader()->cascadingSectionResizes());
    QVERIFY(table->verticalHeader()->cascadingSectionResizes());

    eval_fixture eval;
    two_one_one(eval);
    d.open(eval.path);
    d.click("test_ch");
    d.click("servey");
    d.find<QTabWidget>("tabWidget")->setCurrentIndex(3);
    QApplication::setActiveWindow(&d.window);
    QVERIFY(QTest::qWaitForWindowExposed(&d.window));
    const auto texts = [table] {
        QStringList all;
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                all << table->item(r, c)->text();
        return all;
    };
    const QStringList shown = texts();
    // The totals, in neither order: a sort by them either way moves a row.
    const QStringList totals{table->item(0, 1)->text(), table->item(1, 1)->text(), table->item(2, 1)->text()};
    QCOMPARE(totals, QStringList({"8.000", "2.000", "4.000"}));

    // Each action opens an editor under one edit trigger: a change of the current cell, a
    // click on the selected one, a double click, the edit key, any other key. An editor is a
    // visible child of the viewport. A click on the selected cell starts its editor only after
    // the double-click interval; with none the editor would be up at the next event round.
    struct interval_restore {
        int ms;
        ~interval_restore() { QApplication::setDoubleClickInterval(ms); }
    } restore{QApplication::doubleClickInterval()};
    QApplication::setDoubleClickInterval(0);
    QWidget *viewport = table->viewport();
    const auto editor = [viewport] {
        QCoreApplication::processEvents();
        for (QWidget *child : viewport->findChildren<QWidget *>())
            if (child->isVisible())
                return QString::fromLatin1(child->metaObject()->className());
        return QString();
    };
    const QPoint at = table->visualItemRect(table->item(0, 1)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(editor(), QString());
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(editor(), QString());
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(editor(), QString());
    QTest::keyClick(table, Qt::Key_F2);
    QCOMPARE(editor(), QString());
    QTest::keyClick(table, Qt::Key_X);
    QCOMPARE(editor(), QString());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(table));

    QHeaderView *header = table->horizontalHeader();
    const QPoint total(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, header->height() / 2);
    for (int click = 0; click < 2; ++click) {   // one way, then the other
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, total);
        QCOMPARE(texts(), shown);
    }
}

void test_shell::window_settings()
{
    lumo_test w;
    QCOMPARE(w.size(), QSize(800, 600));
    QCOMPARE(w.menuWidget(), nullptr);
    QVERIFY(w.findChildren<QStatusBar *>().isEmpty());
    QVERIFY(w.findChildren<QToolBar *>().isEmpty());
    QVERIFY(w.findChildren<QDockWidget *>().isEmpty());
    QVERIFY(w.styleSheet().isEmpty());
    QVERIFY(!w.testAttribute(Qt::WA_SetFont));
    QCOMPARE(w.minimumSize(), QSize(0, 0));
    QCOMPARE(w.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

void test_shell::window_icon()
{
    lumo_test w;
    QVERIFY(w.testAttribute(Qt::WA_SetWindowIcon));
    const QIcon icon = w.windowIcon();
    QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(128, 128)});
    QCOMPARE(icon.pixmap(QSize(128, 128)).size(), QSize(128, 128));

    const QImage image(QStringLiteral(":/icons/lumo_test.png"));
    QCOMPARE(image.size(), QSize(128, 128));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(image.depth(), 32);
    // A tile with transparent rounded corners around an opaque middle.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(64, 64)), 255);
}

void test_shell::title_before_and_after_start()
{
    lumo_test w;
    QCOMPARE(w.windowTitle(), QStringLiteral("lumo_test"));
    QVERIFY(!w.isVisible());
    lumo_start(w);
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("LUMO试卷评测系统2.0-评测端lumo_test"));
    QCOMPARE(w.size(), QSize(800, 600));
    // Starting changes nothing else: still page 0, still only two buttons enabled.
    QCOMPARE(child<QTabWidget>(w, "tabWidget")->currentIndex(), 0);
    int enabled = 0;
    for (const char *name : k_buttons)
        enabled += child(w, name)->isEnabled();
    QCOMPARE(enabled, 2);
}

void test_shell::meta_object_class()
{
    const QMetaObject &mo = lumo_test::staticMetaObject;
    QCOMPARE(mo.className(), "lumo_test");
    QCOMPARE(mo.superClass(), &QMainWindow::staticMetaObject);
    QCOMPARE(mo.methodCount() - mo.methodOffset(), 12);   // the slots below and nothing else
}

void test_shell::meta_object_slots_data()
{
    QTest::addColumn<int>("index");
    int index = 0;
    for (const char *button : k_buttons) {
        const QByteArray slot = QByteArray("on_") + button + "_clicked";
        QTest::newRow(slot.constData()) << index++;
    }
}

void test_shell::meta_object_slots()
{
    QFETCH(int, index);
    const QMetaObject &mo = lumo_test::staticMetaObject;
    const QMetaMethod method = mo.method(mo.methodOffset() + index);
    QCOMPARE(method.methodSignature(), QByteArray(QTest::currentDataTag()) + "()");
    QCOMPARE(method.methodType(), QMetaMethod::Slot);
    QCOMPARE(method.access(), QMetaMethod::Private);
    QCOMPARE(method.returnType(), int(QMetaType::Void));
}

void test_shell::buttons_wired_once_data()
{
    QTest::addColumn<QByteArray>("slot");
    for (const char *button : k_buttons)
        QTest::newRow(button) << QByteArray("on_") + button + "_clicked()";
}

void test_shell::buttons_wired_once()
{
    QFETCH(QByteArray, slot);

    std::vector<QString> warnings;
    g_warnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(collect_warnings);
    auto w = std::make_unique<lumo_test>();
    qInstallMessageHandler(previous);
    g_warnings = nullptr;
    // Wiring by name complains about any slot it cannot match to a child's signal.
    for (const QString &warning : warnings)
        QVERIFY2(!warning.contains(QLatin1String("connectSlotsByName")), qPrintable(warning));

    auto *button = child<QPushButton>(*w, QTest::currentDataTag());
    QVERIFY(button);
    QCOMPARE(receivers_probe::count(button, SIGNAL(clicked())), 1);
    QCOMPARE(receivers_probe::count(button, SIGNAL(pressed())), 0);
    QCOMPARE(receivers_probe::count(button, SIGNAL(released())), 0);
    QCOMPARE(receivers_probe::count(button, SIGNAL(toggled(bool))), 0);

    // That one connection leads to the slot of the same name: removing it leaves none.
    const QByteArray slot_signature = QByteArray::number(QSLOT_CODE) + slot;
    QVERIFY(QObject::disconnect(button, SIGNAL(clicked()), w.get(), slot_signature.constData()));
    QCOMPARE(receivers_probe::count(button, SIGNAL(clicked())), 0);
}

QTEST_MAIN(test_shell)
#include "test_shell.moc"
