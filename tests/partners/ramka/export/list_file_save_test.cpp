#include "ramka/export/list_file_save.h"

#include "host_funcs.h"
#include "scripted_prompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ramka;
using Kind = host::ScriptedPrompter::Kind;
using Answer = host::ScriptedPrompter::Answer;

namespace {

class ZapisListyTest : public testing::Test
{
protected:
    void SetUp() override
    {
        prompter = &host::installScriptedPrompter();
        host::setLogFilePath(katalog.filePath(QStringLiteral("log.txt")));
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

    static void utworz(const QString &plik, const QByteArray &dane)
    {
        QFile f(plik);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(dane);
    }

    WynikZapisuListy zapisz(const QString &tytul = QStringLiteral("Lista firm"))
    {
        return zapiszListeDoPliku(nullptr, tytul, katalog.path(), [this] {
            ++zbudowane;
            TabelaEksportu t;
            t.tytul = QStringLiteral("Lista firm");
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
    EXPECT_EQ(proponowanaNazwaPliku(QStringLiteral("Firmy / klienci/2026")), "Firmy   klienci 2026");
    EXPECT_EQ(formatPliku(QStringLiteral("/tmp/a.html")), FormatPliku::Html);
    EXPECT_EQ(formatPliku(QStringLiteral("/tmp/a.HTML")), FormatPliku::Html);
    EXPECT_EQ(formatPliku(QStringLiteral("/tmp/a.csv")), FormatPliku::Csv);
    EXPECT_EQ(formatPliku(QStringLiteral("/tmp/a.htm")), FormatPliku::Csv);
}

TEST_F(ZapisListyTest, ProposesTheTitleAndOffersCsvThenHtml)
{
    prompter->push(Answer::saveFile(sciezka(QStringLiteral("lista.csv"))));
    EXPECT_EQ(zapisz(QStringLiteral("Firmy/klienci")), WynikZapisuListy::Zapisano);
    const auto pytania = prompter->questionsOf(Kind::SaveFile);
    ASSERT_EQ(pytania.size(), 1);
    EXPECT_EQ(pytania[0].dir, QDir(katalog.path()).filePath(QStringLiteral("Firmy klienci.csv")));
    EXPECT_LT(pytania[0].filter.indexOf("*.csv"), pytania[0].filter.indexOf("*.html"));
    EXPECT_TRUE(tresc(sciezka(QStringLiteral("lista.csv"))).endsWith("ALFA;\r\n"));
}

TEST_F(ZapisListyTest, DecliningTheOverwriteLeavesTheOldFileUnchanged)
{
    for (const int odpowiedz : {host::mb::IdNo, host::mb::IdCancel}) {
        const QString plik = sciezka(QStringLiteral("stara.csv"));
        utworz(plik, "stara tresc");
        prompter->push(Answer::saveFile(plik)).answerMessage(odpowiedz);
        EXPECT_EQ(zapisz(), WynikZapisuListy::NieNadpisano);
        EXPECT_EQ(tresc(plik), "stara tresc");
        EXPECT_EQ(prompter->messageTexts().last(),
                  host::LoadResstrings(QStringLiteral("Resstrings_IDS_plik_istnieje_czy_nadpisac")));
        EXPECT_EQ(prompter->questions().last().flags & host::mb::ButtonsMask, host::mb::YesNoCancel);
    }
    EXPECT_EQ(zbudowane, 0);
}

TEST_F(ZapisListyTest, YesReplacesTheOldFile)
{
    const QString plik = sciezka(QStringLiteral("stara.html"));
    utworz(plik, "stara tresc");
    prompter->push(Answer::saveFile(plik)).answerMessage(host::mb::IdYes);
    EXPECT_EQ(zapisz(), WynikZapisuListy::Zapisano);
    const QByteArray nowa = tresc(plik);
    EXPECT_TRUE(nowa.startsWith("<!DOCTYPE HTML"));
    EXPECT_TRUE(nowa.contains("<TD>ALFA</TD>"));
}

TEST_F(ZapisListyTest, CancelledChoiceWritesNothingAndANameWithoutSuffixGetsCsv)
{
    prompter->push(Answer::choiceCancelled(Kind::SaveFile));
    EXPECT_EQ(zapisz(), WynikZapisuListy::Anulowano);
    EXPECT_EQ(zbudowane, 0);

    prompter->push(Answer::saveFile(sciezka(QStringLiteral("bez_rozszerzenia"))));
    EXPECT_EQ(zapisz(), WynikZapisuListy::Zapisano);
    EXPECT_TRUE(QFile::exists(sciezka(QStringLiteral("bez_rozszerzenia.csv"))));
}

TEST_F(ZapisListyTest, UnwritableFolderIsReportedWithNieMoznaNadpisac)
{
    prompter->push(Answer::saveFile(sciezka(QStringLiteral("brak/folderu/lista.csv"))));
    EXPECT_EQ(zapisz(), WynikZapisuListy::Blad);
    EXPECT_EQ(prompter->messageTexts().value(0),
              host::LoadResstrings(QStringLiteral("Resstrings_IDS_nie_mozna_nadpisac")));
}
