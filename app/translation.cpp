#include "app/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool translation_install()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    // Installed with Qt on Linux; the Windows version carries it in its resources.
    const QString name = QStringLiteral("qtbase_zh_CN");
    if (!translator->load(name, QLibraryInfo::location(QLibraryInfo::TranslationsPath))
        && !translator->load(name, QStringLiteral(":/translations"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
