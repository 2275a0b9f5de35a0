#include "ramka/export/list_export.h"

#include "dataset.h"
#include "report_data.h"

#include <QBuffer>
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
