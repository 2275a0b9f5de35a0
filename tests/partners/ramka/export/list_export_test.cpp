#include "ramka/export/list_export.h"
#include "ramka/export/list_file_save.h"

#include "dataset.h"
#include "host_funcs.h"
#include "report_data.h"
#include "scripted_prompter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace ramka;

namespace {

TabelaEksportu tabela(std::vector<QStringList> wiersze = {})
{
    TabelaEksportu t;
    t.tytul = u"Lista firm"_s;
    t.kolumny = {{"skrot", "Skrót", 100}, {"nazwa", "Nazwa", 300}};
    t.wiersze = std::move(wiersze);
    return t;
}

QByteArray zapisz(void (*pisarz)(QIODevice &, const TabelaEksportu &), const TabelaEksportu &t)
{
    QBuffer bufor;
    bufor.open(QIODevice::WriteOnly);
    pisarz(bufor, t);
    return bufor.data();
}

} // namespace

TEST(ListCsv, EveryValueIsFollowedBySemicolonOnOneLineWithBomAndCrLf)
{
    const struct
    {
        QStringList values;
        QString line;
    } cases[] = {
        {{"ABC", "Nowak sp. z o.o."}, "ABC;Nowak sp. z o.o.;"},
        {{"", "", "x"}, ";;x;"},
        {{}, ""},
        {{"a\r\nb"}, "a b;"}, // one break
        {{"a\rb\n\nc"}, "a b  c;"},
        {{"a;b", "c"}, "\"a;b\";c;"},
        {{"Firma \"Alfa\""}, "\"Firma \"\"Alfa\"\"\";"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(liniaCsv(c.values), c.line);

    // The file: a BOM, the title line and CR LF after every line.
    const QByteArray csv = zapisz(zapiszCsv, tabela({{"ALFA", "Alfa\nsp. j."}, {"BETA", ""}}));
    EXPECT_EQ(csv, QByteArray("\xEF\xBB\xBF") + u"Skrót;Nazwa;\r\nALFA;Alfa sp. j.;\r\nBETA;;\r\n"_s.toUtf8());
}

TEST(ListHtml, PageLayoutAsTheSuiteWritesItInAsciiWithEscapesAndNbsp)
{
    const QByteArray bajty = zapisz(zapiszHtml, tabela({{"1", "a"}, {"<b>", "A & B"}, {"", "  "}, {"Łódź", "€ 😀"}}));
    const QString html = QString::fromLatin1(bajty);
    EXPECT_TRUE(html.startsWith("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n"));
    EXPECT_TRUE(html.contains("CONTENT=\"text/html; charset=win-1250\""));
    EXPECT_TRUE(html.contains("<TD COLSPAN=2 BGCOLOR=\"#919191\"><B>Lista firm</B></TD>"));
    // Widths in percent of the total width: 100 and 300 pixels.
    EXPECT_TRUE(html.contains("<TD WIDTH=\"25%\" BGCOLOR=\"#DCDCDC\"><B>Skr&#243;t</B></TD>"
                              "<TD WIDTH=\"75%\" BGCOLOR=\"#DCDCDC\"><B>Nazwa</B></TD>"));
    EXPECT_EQ(html.count("<TR BGCOLOR=\"#FFFFFF\">"), 2);
    EXPECT_EQ(html.count("<TR BGCOLOR=\"#F0F0F0\">"), 2);
    EXPECT_LT(html.indexOf("<TD>1</TD>"), html.indexOf("<TR BGCOLOR=\"#F0F0F0\"><TD>&lt;b&gt;</TD><TD>A &amp; B</TD>"));
    EXPECT_FALSE(html.contains("<b>"));
    EXPECT_TRUE(html.contains("<TD>&nbsp</TD><TD>&nbsp</TD>"));
    EXPECT_TRUE(html.contains("<TD>&#321;&#243;d&#378;</TD><TD>&#8364; &#128512;</TD>"));
    for (const char c : bajty)
        ASSERT_GE(c, 0) << "non-ASCII byte in the page";
}

// Titles and the summary are read back through the viewer window in the print test.
TEST(PrintXml, WrittenListReadsBackWithWidthsAndRowsApartFromTheSummary)
{
    const auto czytaj = [](const TabelaEksportu &t) {
        QBuffer bufor;
        bufor.setData(zapisz(zapiszXmlWydruku, t));
        bufor.open(QIODevice::ReadOnly);
        report_viewer::RaportTabela wynik;
        QString blad;
        EXPECT_TRUE(report_viewer::czytajXml(bufor, wynik, &blad)) << blad.toStdString();
        return wynik;
    };
    TabelaEksportu t = tabela({{"A&B <x>", "O'Hara \"cudzysłów\""}, {"", "druga\nlinia"}});
    t.podsumowanie = QStringList{"Razem", "2"};
    const QByteArray xml = zapisz(zapiszXmlWydruku, t);
    EXPECT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_TRUE(xml.contains("<pole1>A&amp;B &lt;x&gt;</pole1><pole2>O&#39;Hara \"cudzysłów\"</pole2>"))
        << xml.constData();

    const report_viewer::RaportTabela wynik = czytaj(t);
    EXPECT_EQ(wynik.szerokosci, (QList<int>{100, 300}));
    EXPECT_EQ(wynik.wiersze, (QList<QStringList>{{"A&B <x>", "O'Hara \"cudzysłów\""}, {"", "druga\nlinia"}}));

    // Without rows the titles still come.
    const report_viewer::RaportTabela pusta = czytaj(tabela());
    EXPECT_EQ(pusta.liczbaKolumn(), 2);
    EXPECT_TRUE(pusta.wiersze.isEmpty());
    EXPECT_FALSE(pusta.podsumowanie.has_value());
}

TEST(TabelaZDataSet, TakesVisibleRowsInSortedOrderAndTheChosenColumns)
{
    db::DataSet dane;
    dane.openFromRows({{"id", QMetaType::Int}, {"nazwa", QMetaType::QString}, {"kwota", QMetaType::Double}},
                      {{1, "Beta", 12.5}, {2, "Alfa", 3.0}, {3, "Gamma", QVariant()}, {4, "Delta", 7.25}});
    dane.setFilter(u"id <> 4"_s);
    dane.setSort(u"nazwa ASC"_s);
    dane.setRecNo(2);
    const TabelaEksportu t =
        tabelaZDataSet(dane, u"T"_s, {{"nazwa", "Nazwa", 10}, {"kwota", "Kwota", 10}, {"brak", "Brak", 5}});
    EXPECT_EQ(t.wiersze, (std::vector<QStringList>{{"Alfa", "3", ""}, {"Beta", "12.5", ""}, {"Gamma", "", ""}}));
    EXPECT_EQ(dane.recNo(), 2);

    const TabelaEksportu sformatowana =
        tabelaZDataSet(dane, u"T"_s, {{"kwota", "Kwota", 10}}, [](const QVariant &v, const db::FieldDef &) {
            return v.isNull() ? u"-"_s : QString::number(v.toDouble(), 'f', 2);
        });
    EXPECT_EQ(sformatowana.wiersze, (std::vector<QStringList>{{"3.00"}, {"12.50"}, {"-"}}));
}

// ---- saving the list to a file ---------------------------------------------------------------

namespace {

using Kind = host::ScriptedPrompter::Kind;
using Answer = host::ScriptedPrompter::Answer;

class ZapisListyTest : public testing::Test
{
protected:
    void SetUp() override
    {
        prompter = &host::installScriptedPrompter();
        host::setLogFilePath(katalog.filePath(u"log.txt"_s));
    }
    void TearDown() override
    {
        host::setPrompter(nullptr);
        host::setLogFilePath(QString());
    }

    QString sciezka(const QString &nazwa) const { return katalog.filePath(nazwa); }

    static QByteArray tresc(const QString &plik)
    {
        QFile f(plik);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    WynikZapisuListy zapisz(const QString &tytul = u"Lista firm"_s)
    {
        return zapiszListeDoPliku(nullptr, tytul, katalog.path(), [this] {
            ++zbudowane;
            TabelaEksportu t;
            t.tytul = u"Lista firm"_s;
            t.kolumny = {{"skrot", "Skrót", 80}};
            t.wiersze = {{"ALFA"}};
            return t;
        });
    }

    QTemporaryDir katalog;
    host::ScriptedPrompter *prompter = nullptr;
    int zbudowane = 0;
};

} // namespace

TEST(NazwaPliku, SlashesBecomeBlanksAndTheSuffixPicksTheWriter)
{
    EXPECT_EQ(proponowanaNazwaPliku(u"Firmy / klienci/2026"_s), "Firmy   klienci 2026");
    EXPECT_EQ(formatPliku(u"/tmp/a.HTML"_s), FormatPliku::Html);
    EXPECT_EQ(formatPliku(u"/tmp/a.htm"_s), FormatPliku::Csv);
}

TEST_F(ZapisListyTest, ProposesTheTitleOffersCsvThenHtmlAndACancelWritesNothing)
{
    prompter->push(Answer::saveFile(sciezka(u"lista.csv"_s)));
    EXPECT_EQ(zapisz(u"Firmy/klienci"_s), WynikZapisuListy::Zapisano);
    const auto pytania = prompter->questionsOf(Kind::SaveFile);
    ASSERT_EQ(pytania.size(), 1);
    EXPECT_EQ(pytania[0].dir, QDir(katalog.path()).filePath(u"Firmy klienci.csv"_s));
    EXPECT_LT(pytania[0].filter.indexOf("*.csv"), pytania[0].filter.indexOf("*.html"));

    // A cancelled choice writes nothing; a name without a suffix gets .csv.
    prompter->push(Answer::choiceCancelled(Kind::SaveFile));
    EXPECT_EQ(zapisz(), WynikZapisuListy::Anulowano);
    EXPECT_EQ(zbudowane, 1);
    prompter->push(Answer::saveFile(sciezka(u"bez_rozszerzenia"_s)));
    EXPECT_EQ(zapisz(), WynikZapisuListy::Zapisano);
    EXPECT_TRUE(QFile::exists(sciezka(u"bez_rozszerzenia.csv"_s)));
}

TEST_F(ZapisListyTest, OnlyYesToTheOverwriteQuestionReplacesTheOldFile)
{
    const QString plik = sciezka(u"stara.html"_s);
    for (const int odpowiedz : {host::mb::IdNo, host::mb::IdCancel, host::mb::IdYes}) {
        QFile stara(plik);
        ASSERT_TRUE(stara.open(QIODevice::WriteOnly) && stara.write("stara tresc") == 11);
        stara.close();
        prompter->push(Answer::saveFile(plik)).answerMessage(odpowiedz);
        const bool tak = odpowiedz == host::mb::IdYes;
        EXPECT_EQ(zapisz(), tak ? WynikZapisuListy::Zapisano : WynikZapisuListy::NieNadpisano);
        EXPECT_EQ(zbudowane, tak ? 1 : 0);
        EXPECT_EQ(tresc(plik) == "stara tresc", !tak);
        EXPECT_EQ(prompter->messageTexts().last(),
                  host::LoadResstrings(u"Resstrings_IDS_plik_istnieje_czy_nadpisac"_s));
        EXPECT_EQ(prompter->questions().last().flags & host::mb::ButtonsMask, host::mb::YesNoCancel);
    }
    EXPECT_TRUE(tresc(plik).startsWith("<!DOCTYPE HTML"));
}

TEST_F(ZapisListyTest, UnwritableFolderIsReportedWithNieMoznaNadpisac)
{
    prompter->push(Answer::saveFile(sciezka(u"brak/folderu/lista.csv"_s)));
    EXPECT_EQ(zapisz(), WynikZapisuListy::Blad);
    EXPECT_EQ(prompter->messageTexts().value(0), host::LoadResstrings(u"Resstrings_IDS_nie_mozna_nadpisac"_s));
}
