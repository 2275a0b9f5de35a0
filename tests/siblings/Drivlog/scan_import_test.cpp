#include "host_funcs.h"
#include "host_variables.h"
#include "siblings.h"
#include "skanowanie_api.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The real library against SANE's own test device, configured in a folder of
// the test's own so that the machine's scanners play no part.
class ScanImportTest : public testing::Test
{
protected:
    void SetUp() override
    {
        host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
        host::setLogFilePath(m_dir.filePath("host.log"));
        qputenv("SANE_CONFIG_DIR", QFile::encodeName(m_dir.path()));
        zapisz("test.conf", "number_of_devices 1\ntest-picture \"Color pattern\"\n");
    }

    void TearDown() override
    {
        qunsetenv("SANE_CONFIG_DIR");
        host::resetVariables();
        host::setLogFilePath(QString());
        host::setSiblingDirectory(QString());
    }

    void zapisz(const QString &nazwa, const QByteArray &tresc)
    {
        QFile plik(m_dir.filePath(nazwa));
        ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
        plik.write(tresc);
    }

    // The count and the paths the library gives for a target in the suite's form.
    std::pair<int, QStringList> skanuj(const QString &nazwa)
    {
        QString pliki;
        const int ile = host::callSibling<skanowanie::SkanujDokumentyFn>(skanowanie::Biblioteka, "_SkanujDokumenty",
                                                                         m_dir.path() + "\\magazyn\\" + nazwa, &pliki)
                            .value_or(-1);
        return {ile, pliki.split(';', Qt::SkipEmptyParts)};
    }

    QString magazyn(const QString &nazwa = {}) const { return m_dir.filePath("magazyn/" + nazwa); }

    QString log() const
    {
        QFile plik(m_dir.filePath("host.log"));
        return plik.open(QIODevice::ReadOnly) ? QString::fromUtf8(plik.readAll()) : QString();
    }

    QTemporaryDir m_dir;
};

TEST_F(ScanImportTest, OnePageIsAColourJpegAtTheTargetAndNeverReplacesAFile)
{
    zapisz("dll.conf", "test\n");
    const auto [ile, pliki] = skanuj("skan 1 żółw.jpg");
    EXPECT_EQ(ile, 1);
    EXPECT_EQ(pliki, QStringList{magazyn("skan 1 żółw.jpg")});
    const QImage strona(magazyn("skan 1 żółw.jpg"));
    EXPECT_NEAR(strona.width(), 630, 2); // 80 mm at 200 dpi
    EXPECT_FALSE(strona.isGrayscale());

    // A taken name is left alone: no scan overwrites a stored document.
    QFile::remove(magazyn("skan 1 żółw.jpg"));
    zapisz("magazyn/skan 1 żółw.jpg", "dokument");
    EXPECT_EQ(skanuj("skan 1 żółw.jpg").first, 0);
    EXPECT_EQ(QFileInfo(magazyn("skan 1 żółw.jpg")).size(), 8);
}

TEST_F(ScanImportTest, FeederPagesAreNumberedBeforeTheExtension)
{
    zapisz("dll.conf", "test\n");
    host::var::ScannerSource.set("Automatic Document Feeder"); // the test device's feeder holds ten pages
    const auto [ile, pliki] = skanuj("faktura.jpg");
    ASSERT_EQ(ile, 10);
    ASSERT_EQ(pliki.size(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(pliki[i], magazyn(QString("faktura_%1.jpg").arg(i + 1)));
        EXPECT_FALSE(QImage(pliki[i]).isNull()) << i;
    }
    EXPECT_FALSE(QFile::exists(magazyn("faktura.jpg")));
}

TEST_F(ScanImportTest, WithoutADeviceNothingIsWrittenAndTheLogSaysWhy)
{
    zapisz("dll.conf", "");
    const auto [ile, pliki] = skanuj("skan.jpg");
    EXPECT_EQ(ile, 0);
    EXPECT_TRUE(pliki.isEmpty());
    EXPECT_TRUE(QDir(magazyn()).isEmpty());
    EXPECT_TRUE(log().contains("no scanner found")) << log().toStdString();
}

} // namespace
