#include "ramka/import_eksport/czytanie_w_tle.h"
#include "ramka/import_eksport/import_eksport.h"
#include "ramka/import_eksport/postep_ie_form.h"

#include "dataset.h"
#include "host_funcs.h"
#include "scripted_prompter.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Answer = host::ScriptedPrompter::Answer;

namespace {

// Row i: the record's element and its dependent elements. Attributes, empty
// values and an empty container never reach a file.
const std::vector<std::pair<QString, QString>> Dane = {
    {u"<rec id='1'><nazwa>O'Brien \"Q\" 100% a_b &lt;x> &amp; Żółć</nazwa><nip/><uwagi>a;b</uwagi></rec>"_s,
     u"<poz><p><nr>1</nr><bank>X</bank></p><p><nr>2</nr><bank>X</bank></p></poz>"_s},
    // A column first seen in a later record.
    {u"<rec><nazwa>Beta</nazwa></rec>"_s, u"<poz><p><nr>3</nr><kwota>5</kwota></p></poz>"_s},
    {u"<rec><nip></nip></rec>"_s, u"<poz/>"_s},
};

QDomElement dodaj(QDomElement &rodzic, const QString &xml)
{
    QDomDocument fragment;
    fragment.setContent(xml);
    return rodzic.appendChild(rodzic.ownerDocument().importNode(fragment.documentElement(), true)).toElement();
}

struct EksportTestowy : Tszablon_export_from
{
    explicit EksportTestowy(std::vector<std::pair<QString, QString>> dane)
        : dane(std::move(dane))
    {
        std::vector<std::vector<QVariant>> wiersze;
        for (int i = 0; i < int(this->dane.size()); ++i)
            wiersze.push_back({i});
        lista.openFromRows({{u"id"_s, QMetaType::Int}}, std::move(wiersze));
    }
    db::DataSet *Lista() override { return &lista; }
    QDomElement WriteRecord(QDomElement &korzen, int id) override
    {
        if (przyWierszu)
            przyWierszu(id);
        return dodaj(korzen, dane[std::size_t(id)].first);
    }
    void WriteSubRecords(QDomElement &rekord, int id) override { dodaj(rekord, dane[std::size_t(id)].second); }
    void EndExport() override { ++zakonczone; }

    std::vector<std::pair<QString, QString>> dane;
    db::DataSet lista;
    std::function<void(int)> przyWierszu;
    static inline int zakonczone = 0;
};

struct ImportTestowy : Tszablon_import_from
{
    explicit ImportTestowy(QStringList &odebrane)
        : odebrane(odebrane)
    {}
    bool ImportRecord(const QDomElement &rekord) override
    {
        QTextStream strumien(&odebrane.emplace_back());
        rekord.save(strumien, -1);
        return true;
    }
    QStringList &odebrane;
};

class ImportEksportTest : public testing::Test
{
protected:
    void SetUp() override { prompter = &host::installScriptedPrompter(); }
    void TearDown() override { host::setPrompter(nullptr); }

    QString sciezka(const QString &nazwa) const { return katalog.filePath(nazwa); }
    static QByteArray tresc(const QString &plik)
    {
        QFile f(plik);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool eksportuj(const QString &plik, int kod, bool use7z = false)
    {
        return TImportExport(TIEFileType::utworz(kod), std::make_unique<EksportTestowy>(Dane), plik, use7z).Run(false);
    }
    QStringList importuj(const QString &plik)
    {
        QStringList odebrane;
        auto ie = CreateImport(std::make_unique<ImportTestowy>(odebrane), 0, plik);
        if (ie)
            ie->Run(false);
        return odebrane;
    }
    // What the export form built, attributes and empty values aside.
    static QStringList wyslane(const QString &srednik)
    {
        return {u"<rec><nazwa>O'Brien \"Q\" 100% a_b &lt;x> &amp; Żółć</nazwa><uwagi>a%1b</uwagi><poz><p><nr>1</nr>"
                "<bank>X</bank></p><p><nr>2</nr><bank>X</bank></p></poz></rec>"_s.arg(srednik),
                u"<rec><nazwa>Beta</nazwa><poz><p><nr>3</nr><kwota>5</kwota></p></poz></rec>"_s};
    }
    // The tool's standard output, or nothing when it is missing or fails.
    static std::optional<QString> uruchom(const QString &program, const QStringList &argumenty)
    {
        if (QStandardPaths::findExecutable(program).isEmpty())
            return std::nullopt;
        QProcess p;
        p.start(program, argumenty);
        const bool ok = p.waitForFinished(30000) && p.exitCode() == 0;
        return QString::fromUtf8(ok ? p.readAllStandardOutput() : "failed: " + p.readAllStandardError());
    }

    QTemporaryDir katalog;
    host::ScriptedPrompter *prompter = nullptr;
};

} // namespace

TEST(DrzewoIE, FirstLeafAnswersForACompositeAndPruneDropsWhatIsEmpty)
{
    {
        TIEComposite rekord(u"rec"_s);
        rekord.dodajWezel(u"poz"_s)->dodajWezel(u"p"_s)->dodajLisc(u"nr"_s, {});
        rekord.dodajLisc(u"nazwa"_s, u"A"_s);
        rekord.dodajLisc(u"nip"_s, {});
        rekord.dodajLisc(u"kod"_s, u"1"_s);
        EXPECT_EQ(rekord.GetValue(u"nazwa"_s), u"A"_s);
        EXPECT_EQ(rekord.GetValue(u"kod"_s), QString(u""_s));
        EXPECT_FALSE(TIEComposite(u"pusty"_s).GetValue(u"x"_s).isValid());
        EXPECT_FALSE(rekord.IsFlat());
        rekord.Prune();
        ASSERT_EQ(rekord.children.size(), 2u);
        EXPECT_TRUE(rekord.IsFlat());
    }
    EXPECT_EQ(TIELeaf::zywe + TIEComposite::zywe, 0);
}

// The file is read on a thread of its own a little ahead of the records
// taken: in order, stopped with the taking, its failure passed on.
TEST(CzytanieWTle, RecordsComeInOrderTheReadingStopsWithTheTakerAndItsErrorIsPassedOn)
{
    std::atomic<int> oddane = 0;
    // Reads `ile` numbered records, then gives false or throws.
    const auto plik = [&oddane](int ile, bool rzuc) {
        return [&oddane, ile, rzuc](const OdbiorcaRekordow &odbiorca) {
            for (int i = 0; i < ile; ++i) {
                auto rekord = std::make_unique<TIEComposite>(u"rec"_s);
                rekord->dodajLisc(u"nr"_s, QString::number(i));
                ++oddane;
                if (!odbiorca(std::move(rekord)))
                    return true;
            }
            if (rzuc)
                throw std::runtime_error("read error");
            return false;
        };
    };
    {
        CzytanieWTle czytanie(plik(1000, false));
        for (int i = 0; i < 1000; ++i) {
            const std::unique_ptr<TIEComposite> rekord = czytanie.nastepny();
            ASSERT_TRUE(rekord) << i;
            EXPECT_EQ(rekord->GetValue(u"nr"_s), QString::number(i));
        }
        EXPECT_EQ(czytanie.nastepny(), nullptr);
        EXPECT_FALSE(czytanie.zakoncz()) << "the reading's own result";
    }
    oddane = 0;
    {
        CzytanieWTle czytanie(plik(100000, false));
        for (int i = 0; i < 10; ++i)
            czytanie.nastepny();
        EXPECT_TRUE(czytanie.zakoncz());
        EXPECT_LT(oddane, 200) << "read only a little ahead";
    }
    {
        CzytanieWTle czytanie(plik(5, true));
        while (czytanie.nastepny())
            continue;
        EXPECT_THROW(czytanie.zakoncz(), std::runtime_error);
    }
    EXPECT_EQ(TIELeaf::zywe + TIEComposite::zywe, 0);
}

TEST_F(ImportEksportTest, XmlIsWrittenExactlyAndReadsBackByteForByte)
{
    ASSERT_TRUE(eksportuj(sciezka(u"firmy.xml"_s), 1));
    EXPECT_EQ(
        tresc(sciezka(u"firmy.xml"_s)),
        QByteArray(
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<root rowCount=\"2\">\r\n  <rec>\r\n"
            "    <nazwa>O'Brien \"Q\" 100% a_b &lt;x&gt; &amp; \xC5\xBB\xC3\xB3\xC5\x82\xC4\x87</nazwa>\r\n"
            "    <uwagi>a;b</uwagi>\r\n    <poz>\r\n      <p>\r\n        <nr>1</nr>\r\n        <bank>X</bank>\r\n"
            "      </p>\r\n      <p>\r\n        <nr>2</nr>\r\n        <bank>X</bank>\r\n      </p>\r\n    </poz>\r\n"
            "  </rec>\r\n  <rec>\r\n    <nazwa>Beta</nazwa>\r\n    <poz>\r\n      <p>\r\n        <nr>3</nr>\r\n"
            "        <kwota>5</kwota>\r\n      </p>\r\n    </poz>\r\n  </rec>\r\n</root>\r\n"));
    EXPECT_EQ(importuj(sciezka(u"firmy.xml"_s)), wyslane(u";"_s));

    const auto xmllint = uruchom(u"xmllint"_s, {u"--noout"_s, sciezka(u"firmy.xml"_s)});
    if (!xmllint)
        GTEST_SKIP() << "xmllint missing";
    EXPECT_EQ(xmllint, QString());
}

TEST_F(ImportEksportTest, CsvRepeatsTheRecordNumberMergesWhatFitsAndReadsBack)
{
    ASSERT_TRUE(eksportuj(sciezka(u"firmy.csv"_s), 2));
    EXPECT_EQ(tresc(sciezka(u"firmy.csv"_s)),
              QByteArray("\xEF\xBB\xBFid;rec:nazwa;rec:uwagi;rec:poz:p:nr;rec:poz:p:bank;rec:poz:p:kwota\r\n"
                         "1;O'Brien \"Q\" 100% a_b <x> & \xC5\xBB\xC3\xB3\xC5\x82\xC4\x87;a,b;;;\r\n1;;;1;X;\r\n"
                         "1;;;2;X;\r\n2;Beta;;3;;5\r\n"));
    EXPECT_EQ(importuj(sciezka(u"firmy.csv"_s)), wyslane(u","_s));

    const auto naglowek = uruchom(u"python3"_s,
                                  {u"-c"_s,
                                   u"import csv,sys; r=csv.reader(open(sys.argv[1], "
                                   "encoding='utf-8-sig', newline=''), delimiter=';'); "
                                   "print('|'.join(next(r)))"_s,
                                   sciezka(u"firmy.csv"_s)});
    if (!naglowek)
        GTEST_SKIP() << "python3 missing";
    EXPECT_EQ(naglowek, u"id|rec:nazwa|rec:uwagi|rec:poz:p:nr|rec:poz:p:bank|rec:poz:p:kwota\n"_s);
}

TEST_F(ImportEksportTest, AWrongRootOrHeaderIsRefusedWithTheMessage)
{
    for (const auto &[nazwa, tekst] : {std::pair(u"zly.xml"_s, "<firmy><rec><nazwa>A</nazwa></rec></firmy>"_ba),
                                       std::pair(u"zly.csv"_s, "id;nazwa\r\n1;A\r\n"_ba),
                                       // Faults after a good record: nothing is delivered, not even that record.
                                       std::pair(u"urwany.xml"_s, "<root><rec><nazwa>A</nazwa></rec><rec>"_ba),
                                       std::pair(u"zly_numer.csv"_s, "id;rec:nazwa\r\n1;A\r\nx;B\r\n"_ba)}) {
        QFile plik(sciezka(nazwa));
        ASSERT_TRUE(plik.open(QIODevice::WriteOnly) && plik.write(tekst) > 0);
        plik.close();
        EXPECT_TRUE(importuj(sciezka(nazwa)).isEmpty()) << nazwa.toStdString();
    }
    const QString komunikat = host::LoadResstrings(u"Resstrings_IDS_nieprawdidlowy_plik_importu"_s);
    EXPECT_EQ(prompter->messageTexts(), QStringList(4, komunikat));
}

TEST_F(ImportEksportTest, SevenZipArchiveHoldsOneEntryNamedAfterTheArchive)
{
    ASSERT_TRUE(eksportuj(sciezka(u"firmy.7z"_s), 1, true));
    EXPECT_EQ(QDir(katalog.path()).entryList(QDir::Files), QStringList{u"firmy.7z"_s});
    const auto lista = uruchom(u"7z"_s, {u"l"_s, u"-slt"_s, sciezka(u"firmy.7z"_s)});
    if (!lista)
        GTEST_SKIP() << "7z missing";
    EXPECT_EQ(lista->count(u"\nPath = "_s), 2) << lista->toStdString(); // the archive and its one entry
    EXPECT_TRUE(lista->contains(u"\nPath = firmyxml\n"_s));
    EXPECT_FALSE(
        uruchom(u"7z"_s, {u"x"_s, u"-o"_s + sciezka(u"x"_s), sciezka(u"firmy.7z"_s)})->startsWith(u"failed"_s));
    ASSERT_TRUE(eksportuj(sciezka(u"firmy.xml"_s), 1));
    EXPECT_EQ(tresc(sciezka(u"x/firmyxml"_s)), tresc(sciezka(u"firmy.xml"_s)));
}

TEST_F(ImportEksportTest, ProgressWindowCountsCannotBeClosedAndCancelWritesNothing)
{
    QString etykieta;
    bool zamknieto = true;
    EksportTestowy::zakonczone = 0;
    const auto okno = [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *f = qobject_cast<TProgressForm *>(w); f && f->isVisible())
                return f;
        return static_cast<TProgressForm *>(nullptr);
    };
    auto forma =
        std::make_unique<EksportTestowy>(std::vector(40, std::pair(u"<rec><nazwa>x</nazwa></rec>"_s, u"<poz/>"_s)));
    forma->przyWierszu = [&](int wiersz) {
        if (wiersz == 7) {
            etykieta = okno()->findChild<QLabel *>(u"lblProgress"_s)->text();
            zamknieto = okno()->close();
        }
        if (wiersz == 10)
            okno()->findChild<QPushButton *>(u"btnAnuluj"_s)->click();
    };
    prompter->push(Answer::saveFile(sciezka(u"firmy"_s)));
    auto ie = CreateExport(std::move(forma), 0, {});
    ASSERT_NE(ie, nullptr);
    EXPECT_EQ(ie->fileName, sciezka(u"firmy.xml"_s));
    EXPECT_FALSE(ie->Run());
    EXPECT_EQ(etykieta, u"Eksport 7 z 40"_s);
    EXPECT_FALSE(zamknieto);
    EXPECT_EQ(EksportTestowy::zakonczone, 1);
    EXPECT_EQ(QDir(katalog.path()).entryList(QDir::Files | QDir::Hidden), QStringList()) << "no file, no scratch file";
    EXPECT_EQ(okno(), nullptr);
    EXPECT_EQ(prompter->questions().value(0).filter,
              host::LoadResstrings(u"Resstrings_IDS_dokument_xml"_s) + u" (*.xml);;"_s
                  + host::LoadResstrings(u"Resstrings_IDS_plik_csv"_s).section(u" ("_s, 0, 0) + u" (*.csv)"_s);
}
