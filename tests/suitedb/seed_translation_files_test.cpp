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
    for (QString line : QString::fromUtf8(file.readAll()).split('\n')) {
        line.remove('\r');
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype tab = line.indexOf('\t');
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

// Both files hold every key once with a real text; English translates each with the same
// arguments (a copied Polish text is an untranslated entry).
TEST(TranslationFiles, BothLanguagesCoverTheSameKeysWithRealTextsAndArguments)
{
    const Translations polish = readTranslations("pl");
    const Translations english = readTranslations("en");
    for (const Translations *file : {&polish, &english}) {
        EXPECT_GT(file->texts.size(), 200);
        EXPECT_TRUE(file->duplicates.isEmpty()) << file->duplicates.join(' ').toStdString();
        for (auto it = file->texts.cbegin(); it != file->texts.cend(); ++it) {
            EXPECT_TRUE(it.key().startsWith("Resstrings_IDS_")) << it.key().toStdString();
            EXPECT_FALSE(it.value().trimmed().isEmpty()) << it.key().toStdString();
        }
        // File-dialog entries are "description|pattern" so that the dialog can split them.
        for (const QString type : {"bmp", "jpg", "txt", "rtf", "doc", "odt", "pdf"}) {
            const QString text = file->texts.value("Resstrings_IDS_plik_" + type);
            EXPECT_TRUE(text.contains("|*." + type)) << type.toStdString() << ": " << text.toStdString();
        }
        // The CSV text is cut at " (" by its user.
        EXPECT_TRUE(file->texts.value("Resstrings_IDS_plik_csv").contains(" ("));
    }

    EXPECT_EQ(polish.texts.keys(), english.texts.keys());
    int same = 0;
    for (auto it = polish.texts.cbegin(); it != polish.texts.cend(); ++it) {
        const QString translated = english.texts.value(it.key());
        EXPECT_EQ(placeholders(it.value()), placeholders(translated)) << it.key().toStdString();
        same += translated == it.value();
    }
    EXPECT_EQ(placeholders(polish.texts.value("Resstrings_IDS_blad_kopiowania_pliku")), (QSet<QString>{"%1", "%2"}));
    // Abbreviations (NIP, KRS, REGON, OK, Skype...) read alike in both.
    EXPECT_LT(same, polish.texts.size() / 10);
    static const QRegularExpression polishLetters("[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]");
    for (auto it = english.texts.cbegin(); it != english.texts.cend(); ++it)
        EXPECT_FALSE(polishLetters.match(it.value()).hasMatch()) << it.key().toStdString();
}

} // namespace
