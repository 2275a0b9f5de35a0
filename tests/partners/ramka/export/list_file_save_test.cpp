#include "ramka/export/list_file_save.h"

#include "host_funcs.h"
#include "scripted_prompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
