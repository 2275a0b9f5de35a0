// The shipped message translations: both languages cover the same keys with
// real texts whose arguments agree.

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <gtest/gtest.h>

namespace {

struct Translations
{
    QMap<QString, QString> texts;
    QStringList duplicates;
};

// Read independently of the loader: key TAB text, '#' comments.
Translations readTranslations(const QString &language)
{
    Translations result;
    QFile file(QString(":/suitedb/seed/resstrings_%1.tsv").arg(language));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "missing translation file " << language.toStdString();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line.remove(QLatin1Char('\r'));
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        const QString key = tab < 0 ? line : line.left(tab);
        if (result.texts.contains(key))
            result.duplicates.append(key);
        result.texts.insert(key, tab < 0 ? QString() : line.mid(tab + 1));
    }
    return result;
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression argument("%\\d");
    QSet<QString> found;
    for (auto it = argument.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

TEST(TranslationFiles, EveryKeyOnceWithATextAndFileTypesCarryTheirPattern)
{
    for (const char *language : {"pl", "en"}) {
        const Translations file = readTranslations(QString::fromLatin1(language));
        EXPECT_GT(file.texts.size(), 200);
        EXPECT_TRUE(file.duplicates.isEmpty()) << file.duplicates.join(QLatin1Char(' ')).toStdString();
        for (auto it = file.texts.cbegin(); it != file.texts.cend(); ++it) {
            EXPECT_TRUE(it.key().startsWith(QLatin1String("Resstrings_IDS_"))) << it.key().toStdString();
            EXPECT_FALSE(it.value().trimmed().isEmpty()) << it.key().toStdString();
        }
        // File-dialog entries are "description|pattern" so that the dialog can split them.
        for (const char *type : {"bmp", "jpg", "txt", "rtf", "doc", "odt", "pdf"}) {
            const QString text = file.texts.value("Resstrings_IDS_plik_" + QLatin1String(type));
            EXPECT_TRUE(text.contains("|*." + QLatin1String(type))) << type << ": " << text.toStdString();
        }
        // The CSV text is cut at " (" by its user.
        EXPECT_TRUE(file.texts.value("Resstrings_IDS_plik_csv").contains(" ("));
    }
}

// A copied Polish text in the English file is an untranslated entry.
TEST(TranslationFiles, EnglishTranslatesEveryKeyWithTheSameArguments)
{
    const auto polish = readTranslations("pl").texts;
    const auto english = readTranslations("en").texts;
    EXPECT_EQ(polish.keys(), english.keys());
    int same = 0;
    for (auto it = polish.cbegin(); it != polish.cend(); ++it) {
        EXPECT_EQ(placeholders(it.value()), placeholders(english.value(it.key()))) << it.key().toStdString();
        same += english.value(it.key()) == it.value();
    }
    EXPECT_EQ(placeholders(polish.value("Resstrings_IDS_blad_kopiowania_pliku")), (QSet<QString>{"%1", "%2"}));
    // Abbreviations (NIP, KRS, REGON, OK, Skype...) read alike in both.
    EXPECT_LT(same, polish.size() / 10);
    static const QRegularExpression polishLetters(QString::fromUtf8("[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]"));
    for (auto it = english.cbegin(); it != english.cend(); ++it)
        EXPECT_FALSE(polishLetters.match(it.value()).hasMatch()) << it.key().toStdString();
}

} // namespace
