#include "widgets/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace verbalo {

namespace {

// QScintilla's context menu (QsciScintilla::createStandardContextMenu) in the words Qt's own
// Hungarian translation uses for the same items of a text field; fixed captions when that
// translation says nothing.
class EditorMenuTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char* disambiguation, int n) const override {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (!context || qstrcmp(context, "QsciScintilla") != 0 || !sourceText) return QString();
        static const struct {
            const char* source;
            const char* hungarian;
        } items[] = {
            {"&Undo", "&Visszavonás"},
            {"&Redo", "Ú&jra"},
            {"Cu&t", "&Kivágás"},
            {"&Copy", "&Másolás"},
            {"&Paste", "&Beillesztés"},
            {"Delete", "Törlés"},
            {"Select All", "Az összes kijelölése"},
        };
        for (const auto& item : items) {
            if (qstrcmp(sourceText, item.source) != 0) continue;
            const QString qt = QCoreApplication::translate("QLineEdit", item.source);
            return qt != QLatin1String(item.source) && !qt.isEmpty() ? qt : QString::fromUtf8(item.hungarian);
        }
        return QString();
    }
};

} // namespace

bool installHungarianTranslations(QCoreApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    auto* qt = new QTranslator(&app);
    const bool loaded = qt->load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        app.installTranslator(qt);
    else
        delete qt;
    app.installTranslator(new EditorMenuTranslator(&app));
    return loaded;
}

} // namespace verbalo
