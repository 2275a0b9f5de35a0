// What the program relies on in the reference data a new database is seeded
// with, and the shipped message translations it is seeded from.

#include "suitedb.h"
#include "suitedb_fixture.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

namespace suitedbtest {
namespace {

const int Languages[] = {suitedb::LanguagePolish, suitedb::LanguageEnglish};

class SeedTest : public SuiteDbTest
{
protected:
    QString message(const char *key, int language)
    {
        return scalar("select tekst from resstrings where klucz = :k and id_jezyka = :j", {{"k", key}, {"j", language}})
            .toString();
    }
    QStringList entries(const char *type, int language, const char *extra = "")
    {
        return strings("select wartosc from VListaPozSlownika where typ_slownika = :t "
                       "and id_jezyka = :j and nazwa_parametru = 'nazwa'"
                           + QString(extra) + " order by wartosc",
                       {{"t", type}, {"j", language}});
    }
};

// Each statement counts seeded rows that break a rule the program relies on.
TEST_P(SeedTest, RowsKeepTheRulesOfTheProgramWithWellFormedTermsCodesAndBanks)
{
    const char *const violations[] = {
        "select count(*) from resstrings where tekst is null or tekst = ''",
        "select count(*) from resstrings r cross join jezyk j where not exists (select 1 from resstrings t "
        "where t.klucz = r.klucz and t.id_jezyka = j.id_jezyka)",
        "select count(*) from slowwartosci s cross join jezyk j where not exists (select 1 from tlumaczenie t "
        "where t.identyfikator = s.wartosc and t.id_jezyka = j.id_jezyka)",
        "select count(*) from slowwartosci where typ_slownika = 'klient_rodzaj' and kolor is null",
        // A document kind shows its name with its symbol, and the payment-method
        // list pairs a name with the other parameter of its group.
        "select count(*) from (select grupa from slowwartosci where typ_slownika in ('dokument_rodzaj', "
        "'platnosc_rodzaj') group by typ_slownika, grupa having count(*) <> 2 "
        "or sum(case when nazwa_parametru = 'nazwa' then 1 else 0 end) <> 1) d",
        // Countries are told apart by codes, and a VAT number's prefix tells its country.
        "select count(*) - count(distinct iso) from panstwo",
        "select count(*) - count(distinct sam) from panstwo",
        "select count(NIP) - count(distinct NIP) from panstwo where aktywny = 1",
        "select count(*) from vlistapanstw where nazwa like 'panstwo_%'",
        "select count(*) from miasto m where not exists (select 1 from kod_pocztowy k where k.id_m = m.id_m)",
        "select count(*) - count(distinct tabela_slownie) from definicja_tabela",
        "select count(*) from uprawnienia u join uzytkownik z on z.id_u = u.id_u where z.administrator = 1",
    };
    for (const char *sql : violations)
        EXPECT_EQ(count(sql), 0) << sql;
    EXPECT_EQ(message("Resstrings_IDS_firma_wlasna", suitedb::LanguageEnglish), "Own company");
    // Keys that differ only in case are one key to the database.
    EXPECT_FALSE(message("Resstrings_IDS_Kodpocz", suitedb::LanguagePolish).isEmpty());
    EXPECT_EQ(message("Resstrings_IDS_KodPocz", suitedb::LanguagePolish),
              message("Resstrings_IDS_Kodpocz", suitedb::LanguagePolish));
    EXPECT_EQ(scalar("select waluta from panstwo where iso = 'PL'").toString(), "PLN");
    EXPECT_EQ(count("select administrator from uzytkownik where login = 'admin'"), 1);
    // Someone may change, someone may only look, someone may not open the module.
    EXPECT_EQ(count("select count(distinct case when poziom > 0 then 1 when poziom = 0 then 0 else -1 end)"
                    " from uprawnienia where modul = 'partners.dll'"),
              3);
    for (const auto &[name, code] :
         {std::pair{"firma", suitedb::TableCompany}, std::pair{"samochod", suitedb::TableVehicle},
          std::pair{"dokument", suitedb::TableDocument}})
        EXPECT_EQ(count("select tabela from definicja_tabela where tabela_slownie = :n", {{"n", name}}), code) << name;

    // The company editor sorts payment terms as numbers of days and lists cities with Polish postal codes.
    static const QRegularExpression days("^\\d+$");
    static const QRegularExpression polishCode("^\\d{2}-\\d{3}$");
    const QStringList terms = strings("select wartosc from slowwartosci where typ_slownika = 'dni_do_zaplaty'");
    EXPECT_GE(terms.size(), 3);
    for (const QString &term : terms)
        EXPECT_TRUE(days.match(term).hasMatch()) << term.toStdString();
    const QStringList codes = strings("select k.kod from kod_pocztowy k join miasto m on "
                                      "m.id_m = k.id_m join panstwo p on p.id_p = "
                                      "m.id_panstwa where p.iso = 'PL'");
    EXPECT_GE(codes.size(), 200);
    for (const QString &code : codes)
        EXPECT_TRUE(polishCode.match(code).hasMatch()) << code.toStdString();
    QFile file(QStringLiteral(MALVO_SOURCE_DIR "/suitedb/data/bank_register_pl.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int lines = 0;
    for (const QByteArray &line : file.readAll().split('\n'))
        lines += !line.trimmed().isEmpty() && !line.startsWith('#');
    EXPECT_GT(lines, 600);
    EXPECT_EQ(count("select count(*) from bank"), lines);
    EXPECT_EQ(count("select count(distinct nr_rozliczeniowy) from bank"), lines);
}

// The editor recognises own and general companies, and the correspondence
// address, by these texts; the list filters own companies by identifier.
TEST_P(SeedTest, DictionariesMatchTheMessagesTheModuleComparesThemWith)
{
    for (int language : Languages) {
        const QStringList types = entries("typ_firmy", language);
        EXPECT_TRUE(types.contains(message("Resstrings_IDS_firma_wlasna", language))) << language;
        EXPECT_TRUE(types.contains(message("Resstrings_IDS_ogolny2", language))) << language;
        EXPECT_EQ(entries("adres_rodzaj", language, " and grupa = 1"),
                  QStringList{message("Resstrings_IDS_adres_rodzaj1", language)});
        EXPECT_FALSE(entries("adres_rodzaj", language, " and grupa = 0").isEmpty());
        EXPECT_GE(entries("adres_rodzaj", language, " and grupa > 1").size(), 2);
        for (const char *type :
             {"firma_rodzaj", "klient_rodzaj", "dokument_rodzaj", "telefony_rodzaj", "stanowiska", "platnosc_rodzaj"})
            EXPECT_GE(entries(type, language).size(), 4) << type << " " << language;
    }
    EXPECT_EQ(count("select count(*) from slowwartosci where typ_slownika = 'typ_firmy' and wartosc = 'firma_wlasna'"),
              1);
    // Loading and unloading places form group 4, which the list can hide.
    EXPECT_FALSE(entries("firma_rodzaj", suitedb::LanguagePolish, " and grupa = 4").isEmpty());
}

MALVO_INSTANTIATE_FOR_ENGINES(SeedTest);

// ---- the translation files -------------------------------------------------------------

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
} // namespace suitedbtest
