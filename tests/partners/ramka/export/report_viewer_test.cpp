#include "report_data.h"
#include "report_model.h"
#include "report_render.h"
#include "report_viewer_api.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace report_viewer;

namespace {

QByteArray xmlListy(int wierszy, bool podsumowanie = false)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<xml>\r\n"
                     "<row nazwa=\"!naglowek\"><pole1 szerokosc=\"80\">Skrót</pole1><pole2 "
                     "szerokosc=\"240\">Nazwa</pole2></row>\r\n";
    for (int i = 1; i <= wierszy; ++i)
        xml += "<row><pole1>F" + QByteArray::number(i) + "</pole1><pole2>Firma &amp; syn " + QByteArray::number(i)
            + "</pole2></row>\r\n";
    if (podsumowanie)
        xml +=
            "<row nazwa=\"!podsumowanie\"><pole1>" + QByteArray::number(wierszy) + "</pole1><pole2></pole2></row>\r\n";
    return xml + "</xml>\r\n";
}

RaportTabela czytaj(const QByteArray &xml, bool poprawny = true)
{
    QBuffer bufor;
    bufor.setData(xml);
    bufor.open(QIODevice::ReadOnly);
    RaportTabela t;
    QString blad;
    EXPECT_EQ(czytajXml(bufor, t, &blad), poprawny) << blad.toStdString() << xml.constData();
    return t;
}

int stronyPdf(const QString &plik)
{
    QFile f(plik);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    if (!pdf.startsWith("%PDF"))
        return -1;
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "));
}

} // namespace

TEST(RaportXml, RowsWithoutTitlesAndOutOfOrderFieldsAreToleratedButMalformedXmlIsRefused)
{
    const RaportTabela t = czytaj("<xml><row><pole2>b</pole2><pole1>a</pole1></row><row><pole3>c</pole3></row></xml>");
    EXPECT_EQ(t.tytuly, (QStringList{"1", "2", "3"}));
    EXPECT_EQ(t.wiersze, (QList<QStringList>{{"a", "b", ""}, {"", "", "c"}}));

    for (const QByteArray &xml : {QByteArray("<xml><row><pole1>a</row></xml>"), QByteArray("<lista/>"), QByteArray()})
        czytaj(xml, false);
    EXPECT_EQ(plikDanychRaportu(u"/suite/data/Reports/SYS_R.rpt"_s), "/suite/data/Reports/SYS_R.xml");
}

// Titles and cells are read through the viewer window in the print test.
TEST(RaportModel, ShowsTheSummaryLastInBold)
{
    RaportModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.ustawTabele(czytaj(xmlListy(3, true)));
    EXPECT_TRUE(model.index(3, 0).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(model.index(0, 0).data(Qt::FontRole).isValid());
}

// One page of a short list: the library test.
TEST(RaportPdf, LongListGivesMorePagesAndAMissingFolderFails)
{
    QTemporaryDir katalog;
    const ParametryRaportu p = {{"@tytul", "Lista firm"}, {"@data_rap", "05-12-2026"}};

    const QString dlugi = katalog.filePath(u"dlugi.pdf"_s);
    const int strony = zapiszPdf(czytaj(xmlListy(400, true)), p, dlugi);
    EXPECT_GT(strony, 1);
    EXPECT_EQ(stronyPdf(dlugi), strony);

    EXPECT_EQ(zapiszPdf(czytaj(xmlListy(1)), p, katalog.filePath(u"brak/folderu.pdf"_s)), -1);
}

TEST(RaportViewerLibrary, ExportsRenderThroughTheReportsDataFile)
{
    QLibrary biblioteka(QStringLiteral(MALVO_BIN_DIR "/libreport_viewer.so"));
    ASSERT_TRUE(biblioteka.load()) << biblioteka.errorString().toStdString();
    using PdfFn = int (*)(const char16_t *, const MalvoReportParam *, int, const char16_t *);
    auto doPdf = reinterpret_cast<PdfFn>(biblioteka.resolve("_report_to_pdf"));
    ASSERT_TRUE(doPdf);

    QTemporaryDir katalog;
    QFile dane(katalog.filePath(u"SYS_R.xml"_s));
    ASSERT_TRUE(dane.open(QIODevice::WriteOnly) && dane.write(xmlListy(10)) > 0);
    dane.close();
    const std::u16string raport = katalog.filePath(u"SYS_R.rpt"_s).toStdU16String();
    const std::u16string pdf = katalog.filePath(u"lista.pdf"_s).toStdU16String();
    const MalvoReportParam parametry[] = {{u"@tytul", u"Lista"}, {u"@uzytk_rap", nullptr}};
    EXPECT_EQ(doPdf(raport.c_str(), parametry, 2, pdf.c_str()), 1);
    EXPECT_EQ(stronyPdf(QString::fromStdU16String(pdf)), 1);

    const std::u16string brak = katalog.filePath(u"INNY.rpt"_s).toStdU16String();
    EXPECT_EQ(doPdf(brak.c_str(), parametry, 2, pdf.c_str()), -MalvoReportNoData);
    EXPECT_EQ(doPdf(nullptr, parametry, 2, pdf.c_str()), -MalvoReportBadArguments);
    EXPECT_EQ(doPdf(raport.c_str(), nullptr, 2, pdf.c_str()), -MalvoReportBadArguments);
}
