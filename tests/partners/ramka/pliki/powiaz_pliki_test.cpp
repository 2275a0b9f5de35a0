#include "ramka/edycja/szablon_edycja_form.h"
#include "ramka/pliki/powiaz_pliki_form.h"
#include "ramka/pliki/ramka_powiaz_pliki_fr.h"

#include "host_fixture.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "siblings.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Answer = host::ScriptedPrompter::Answer;

static void PrintTo(const QString &tekst, std::ostream *os)
{
    *os << '"' << tekst.toStdString() << '"';
}

namespace {

class PowiazPlikiTest : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        host::var::SciezkaDokumenty.set(m_dir.filePath(u"magazyn/dokumenty"_s));
        host::ExecQuery(u"insert into firma (nazwa, skrot) values ('Pliki Sp. z o.o.', 'PLIKI')"_s);
        m_firma = host::GetIntDB(u"select id_f from firma where skrot = 'PLIKI'"_s);
        host::var::AktywnaFirma.set(m_firma);
        m_obce = m_dir.filePath(u"obce"_s);
        QDir().mkpath(m_obce);
    }

    void TearDown() override
    {
        if (!IsSkipped()) {
            EXPECT_TRUE(prompter().mismatches().isEmpty()) << prompter().mismatches().join(u'\n').toStdString();
            EXPECT_EQ(prompter().pendingAnswers(), 0);
            host::setSiblingDirectory(QString());
        }
        HostDatabaseTest::TearDown();
    }

    static QString plik(const QString &folder, const QString &nazwa, const QByteArray &tresc = "x")
    {
        QFile f(QDir(folder).filePath(nazwa));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(tresc);
        return f.fileName();
    }
    void link(const QString &sciezka, int tabela, int id)
    {
        host::ExecQuery(u"insert into dokument_plik (sciezka, tabela, id_) values (:s, :t, :id)"_s, nullptr, 0,
                        {{u"s"_s, sciezka}, {u"t"_s, tabela}, {u"id"_s, id}});
    }
    QStringList sciezki() const
    {
        return host::GetListaStringDB(
            u"select sciezka from dokument_plik where tabela = 7 and id_ = :id order by id_dp"_s, QString(), nullptr,
            {{u"id"_s, m_firma}});
    }
    static QStringList teksty(const QListWidget *lista)
    {
        QStringList wynik;
        for (int i = 0; i < lista->count(); ++i)
            wynik << lista->item(i)->text();
        return wynik;
    }
    static Answer nazwa(const QString &tekst)
    {
        return Answer::dialog([tekst](QDialog &d) {
            d.findChild<QLineEdit *>(u"eNazwa"_s)->setText(tekst);
            d.done(1);
        });
    }

    QTemporaryDir m_dir;
    QString m_obce;
    int m_firma = 0;
};

TEST_P(PowiazPlikiTest, AddingCopiesOnlyAfterTheQuestionAndAsksForANameWhileOneIsTaken)
{
    Tramka_powiaz_pliki_frame r;
    r.Init(u"firma"_s, m_firma, 1);
    EXPECT_TRUE(QFileInfo(r.storeFolder()).isDir()) << "created with its parents";
    const QString umowa = plik(m_obce, u"umowa.txt"_s);
    const QString wSkladzie = QDir(r.storeFolder()).filePath(u"umowa.txt"_s);

    prompter().answerMessage(host::mb::IdNo);
    EXPECT_FALSE(r.StoreFile(umowa));
    EXPECT_TRUE(sciezki().isEmpty());
    EXPECT_FALSE(QFile::exists(wSkladzie));

    prompter().answerMessage(host::mb::IdYes);
    EXPECT_TRUE(r.StoreFile(umowa));
    EXPECT_TRUE(QFile::exists(wSkladzie));

    // Already in the store: used where it lies, nothing asked.
    const qsizetype pytania = prompter().questions().size();
    EXPECT_TRUE(r.StoreFile(plik(r.storeFolder(), u"skan.jpg"_s)));
    EXPECT_EQ(prompter().questions().size(), pytania);

    // A taken name: told, then asked for another; cancelling adds nothing.
    prompter().answerMessage(host::mb::IdYes).answerMessage(host::mb::IdOk).push(nazwa(u"umowa2.txt"_s));
    EXPECT_TRUE(r.StoreFile(umowa));
    prompter().answerMessage(host::mb::IdYes).answerMessage(host::mb::IdOk).push(Answer::dialogResult(2));
    EXPECT_FALSE(r.StoreFile(umowa));
    EXPECT_EQ(prompter().messageTexts().last(), host::LoadResstrings(u"Resstrings_IDS_anulowano_dod_dok"_s));
    EXPECT_EQ(sciezki(), (QStringList{u"PLIKI\\umowa.txt"_s, u"PLIKI\\skan.jpg"_s, u"PLIKI\\umowa2.txt"_s}));
    EXPECT_EQ(teksty(r.lbListaPlikow()), sciezki());

    // Each dropped file gets its own question.
    QMimeData dane;
    dane.setUrls({QUrl::fromLocalFile(plik(m_obce, u"a.txt"_s)), QUrl::fromLocalFile(plik(m_obce, u"b.txt"_s))});
    prompter().answerMessage(host::mb::IdNo).answerMessage(host::mb::IdYes);
    QDragEnterEvent wejscie(QPoint(5, 5), Qt::CopyAction, &dane, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&r, &wejscie);
    EXPECT_TRUE(wejscie.isAccepted());
    QDropEvent upuszczenie(QPointF(5, 5), Qt::CopyAction, &dane, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&r, &upuszczenie);
    EXPECT_EQ(sciezki().mid(3), QStringList{u"PLIKI\\b.txt"_s});
}

TEST_P(PowiazPlikiTest, AStoreThatCannotBeWrittenSaysSoAndRegistersNothing)
{
    // A file where the store's folder belongs: nobody, root included, writes into it.
    host::var::SciezkaDokumenty.set(plik(m_dir.path(), u"magazyn_plik"_s));
    Tramka_powiaz_pliki_frame r;
    r.Init(u"firma"_s, m_firma, 1);
    const QString umowa = plik(m_obce, u"umowa.txt"_s);
    prompter().answerMessage(host::mb::IdYes);
    EXPECT_FALSE(r.StoreFile(umowa));
    EXPECT_TRUE(prompter().messageTexts().last().startsWith(
        host::LoadResstrings(u"Resstrings_IDS_blad_kopiowania_pliku"_s).arg(umowa).section(u' ', 0, 4)))
        << prompter().messageTexts().last().toStdString();
    EXPECT_TRUE(sciezki().isEmpty());
    EXPECT_EQ(r.lbListaPlikow()->count(), 0);
}

TEST_P(PowiazPlikiTest, PreviewFollowsTheExtensionAndZoomStopsAtItsEnds)
{
    Tpowiaz_pliki_form okno;
    const QString sklad = okno.ramka()->storeFolder();
    QImage obraz(200, 100, QImage::Format_RGB32);
    obraz.fill(Qt::darkGreen);
    ASSERT_TRUE(obraz.save(QDir(sklad).filePath(u"zdjecie.jpg"_s)));
    plik(sklad, u"notatka.txt"_s, "Treść notatki");
    {
        QPdfWriter pdf(QDir(sklad).filePath(u"umowa.pdf"_s));
        QPainter(&pdf).drawText(100, 100, u"Umowa"_s);
    }
    plik(sklad, u"dane.xyz"_s);
    for (const char *n : {"zdjecie.jpg", "notatka.txt", "umowa.pdf", "dane.xyz"})
        link(u"PLIKI\\"_s + QLatin1String(n), 7, m_firma);
    okno.Init(u"firma"_s, m_firma, 1);
    okno.show();
    const auto widoczne = [&] {
        QStringList wynik;
        for (const char *n : {"ZPanel", "IV32", "RE", "AcroPDF", "BrakPodgladu"})
            if (auto *w = okno.findChild<QWidget *>(QLatin1String(n)); w && w->isVisible())
                wynik << QLatin1String(n);
        return wynik.join(u' ');
    };
    QListWidget *lista = okno.ramka()->lbListaPlikow();
    EXPECT_EQ(widoczne(), u"ZPanel IV32"_s) << "the first file is previewed";
    lista->setCurrentRow(1);
    EXPECT_EQ(widoczne(), u"RE"_s);
    EXPECT_EQ(okno.findChild<QTextEdit *>(u"RE"_s)->toPlainText(), u"Treść notatki"_s);
    lista->setCurrentRow(2);
#ifdef MALVO_HAVE_QTPDF
    EXPECT_EQ(widoczne(), u"AcroPDF"_s);
#else
    EXPECT_EQ(widoczne(), u"BrakPodgladu"_s);
#endif
    lista->setCurrentRow(3);
    EXPECT_EQ(widoczne(), u"BrakPodgladu"_s);

    lista->setCurrentRow(0);
    auto *skala = okno.findChild<QComboBox *>(u"cbScale"_s);
    auto *zIn = okno.findChild<QToolButton *>(u"bZIn"_s);
    auto *zOut = okno.findChild<QToolButton *>(u"bZOut"_s);
    auto *widok = okno.findChild<QScrollArea *>(u"IV32"_s);
    EXPECT_EQ(skala->currentText(), u"100%"_s);
    while (zIn->isEnabled())
        zIn->click();
    EXPECT_EQ(skala->currentText(), u"500%"_s);
    EXPECT_EQ(widok->widget()->width(), 1000);
    while (zOut->isEnabled())
        zOut->click();
    EXPECT_EQ(skala->currentText(), u"25%"_s);
    EXPECT_EQ(widok->widget()->width(), 50);
    EXPECT_TRUE(zIn->isEnabled());

    // Ctrl and the wheel zoom by a tenth around the pointer.
    skala->setCurrentIndex(skala->findText(u"400%"_s));
    const QPointF pod(60, 20);
    const double punkt = (widok->horizontalScrollBar()->value() + pod.x()) / 4.0;
    QWheelEvent kolko(pod, widok->viewport()->mapToGlobal(pod), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widok->viewport(), &kolko);
    EXPECT_EQ(widok->widget()->width(), 880);
    EXPECT_NEAR((widok->horizontalScrollBar()->value() + pod.x()) / 4.4, punkt, 0.5);
}

TEST_P(PowiazPlikiTest, RemovingTakesOnlyExistingFilesOfTheStore)
{
    Tramka_powiaz_pliki_frame r;
    plik(r.storeFolder(), u"jest.txt"_s);
    const QString obcy = plik(m_obce, u"obcy.txt"_s);
    for (const QString &s : {u"PLIKI\\jest.txt"_s, u"PLIKI\\brak.txt"_s, u"..\\..\\obce\\obcy.txt"_s, obcy})
        link(s, 7, m_firma);
    r.Init(u"firma"_s, m_firma, 1);
    r.lbListaPlikow()->selectAll();
    prompter().answerMessage(host::mb::IdYes);
    r.bUsunClick();
    EXPECT_EQ(sciezki(), (QStringList{u"PLIKI\\brak.txt"_s, u"..\\..\\obce\\obcy.txt"_s, obcy}));
    EXPECT_FALSE(QFile::exists(QDir(r.storeFolder()).filePath(u"jest.txt"_s)));
    EXPECT_TRUE(QFile::exists(obcy)) << "nothing outside the store is deleted";
}

TEST_P(PowiazPlikiTest, AVehicleShowsCodeZeroFilesAndAnOwnersDocumentsAreReadOnly)
{
    link(u"PLIKI\\osiem.pdf"_s, 8, 5);
    link(u"PLIKI\\zero.pdf"_s, 0, 5);
    link(u"PLIKI\\firmy.pdf"_s, 7, 5);
    Tramka_powiaz_pliki_frame r;
    r.Init(u"samochod"_s, 5, 1);
    EXPECT_EQ(teksty(r.lbListaPlikow()), (QStringList{u"PLIKI\\osiem.pdf"_s, u"PLIKI\\zero.pdf"_s}));

    host::ExecQuery(u"insert into dokument (rodzaj, id_f) values (1, :f)"_s, nullptr, 0, {{u"f"_s, m_firma}});
    link(u"PLIKI\\licencja.pdf"_s, 28, host::GetIntDB(u"select max(id_dok) from dokument"_s));
    r.InitOwnerDocuments(0, m_firma, 0, 1);
    EXPECT_EQ(teksty(r.lbListaPlikow()), QStringList{u"PLIKI\\licencja.pdf"_s});
    EXPECT_TRUE(r.findChild<QToolButton *>(u"bNowy"_s)->isHidden());
    EXPECT_TRUE(r.findChild<QToolButton *>(u"bUsun"_s)->isHidden());
}

struct EdytorFirmy : Tszablon_edycja_form
{
    EdytorFirmy() { tabela_slownie = u"firma"_s; }
};

TEST_P(PowiazPlikiTest, TheEditorsButtonOpensTheRecordsFilesAndUpdatesItsIndicator)
{
    plik(m_obce, u"skan.txt"_s);
    EdytorFirmy edytor;
    prompter().push(Answer::dialog([&](QDialog &) {
        EXPECT_EQ(edytor.ObrazekPowiazanychPlikow(), 3);
        edytor.bPowiazPliki()->click();
        EXPECT_EQ(edytor.ObrazekPowiazanychPlikow(), 4);
    }));
    prompter().push(Answer::dialog([&](QDialog &d) {
        auto *okno = qobject_cast<Tpowiaz_pliki_form *>(&d);
        ASSERT_TRUE(okno);
        EXPECT_EQ(okno->ramka()->tabelaCode(), 7);
        prompter().answerMessage(host::mb::IdYes);
        EXPECT_TRUE(okno->ramka()->StoreFile(QDir(m_obce).filePath(u"skan.txt"_s)));
    }));
    edytor.PokazRekord(m_firma, Tszablon_edycja_form::Edycja, 1);
    EXPECT_EQ(sciezki(), QStringList{u"PLIKI\\skan.txt"_s});
}

// The real scanning library against SANE's test device.
TEST_P(PowiazPlikiTest, AScanGetsJpgAppendedAndRemembersTheBaseOfItsName)
{
    host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    if (!QFile::exists(host::siblingLibraryPath(QStringLiteral("data\\Drivlog\\scan_import.dll"))))
        GTEST_SKIP() << "the scanning library is not built";
    QDir().mkpath(m_dir.filePath(u"sane"_s));
    plik(m_dir.filePath(u"sane"_s), u"dll.conf"_s, "test\n");
    qputenv("SANE_CONFIG_DIR", m_dir.filePath(u"sane"_s).toLocal8Bit());
    Tramka_powiaz_pliki_frame r;
    r.Init(u"firma"_s, m_firma, 1);
    QString proponowana;
    const auto skan = [&](const QString &tekst) {
        return Answer::dialog([&proponowana, tekst](QDialog &d) {
            proponowana = d.findChild<QLineEdit *>(u"eNazwa"_s)->text();
            EXPECT_TRUE(d.findChild<QWidget *>(u"pPodpowiedz"_s)->isVisibleTo(&d));
            d.findChild<QLineEdit *>(u"eNazwa"_s)->setText(tekst);
            d.done(tekst.isEmpty() ? 2 : 1);
        });
    };
    prompter().push(skan(u"scan.pdf"_s)).push(skan(u"faktura_202401011200"_s)).push(skan(QString()));
    r.bSkanujClick();
    EXPECT_TRUE(QRegularExpression(u"^\\d{12}$"_s).match(proponowana).hasMatch()) << proponowana.toStdString();
    r.bSkanujClick();
    r.bSkanujClick();
    EXPECT_TRUE(QRegularExpression(u"^faktura_\\d{12}$"_s).match(proponowana).hasMatch()) << proponowana.toStdString();
    EXPECT_EQ(sciezki(), (QStringList{u"PLIKI\\scan.pdf.jpg"_s, u"PLIKI\\faktura_202401011200.jpg"_s}));
    EXPECT_TRUE(QFile::exists(QDir(r.storeFolder()).filePath(u"scan.pdf.jpg"_s)));
    EXPECT_EQ(prompter().messageTexts().last(), host::LoadResstrings(u"Resstrings_IDS_anulowano_dod_dok"_s));
}

} // namespace

MALVO_INSTANTIATE_FOR_ENGINES(PowiazPlikiTest);
