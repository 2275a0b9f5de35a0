#include "lists/lista_firm_okno_fixture.h"

#include "lists/lista_firm_modal_form.h"
#include "lists/lista_firm_sp_modal_form.h"
#include "partners_api.h"
#include "ramka/pustak_child_form.h"

#include "dataset.h"
#include "lista_grid.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Kind = host::ScriptedPrompter::Kind;
using Answer = host::ScriptedPrompter::Answer;

using Komunikat = testsupport::HostMessage;

void dwuklik(ui::ListaGrid *grid, int wiersz)
{
    const QModelIndex index = grid->model()->index(wiersz, grid->columnOf(u"nazwa"_s));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

// Counts the key releases that reach a widget.
class LicznikPuszczen : public QObject
{
public:
    explicit LicznikPuszczen(int &n)
        : m_n(n)
    {}
    bool eventFilter(QObject *, QEvent *e) override
    {
        m_n += e->type() == QEvent::KeyRelease ? 1 : 0;
        return false;
    }

private:
    int &m_n;
};

class ListaFirmOkna : public ListaFirmOkno
{
protected:
    void SetUp() override
    {
        ListaFirmOkno::SetUp();
        if (!IsSkipped())
            zGlownymOknem();
    }

    // Runs the picker with the prompter driving it as a user would.
    int uruchom(Tlista_firm_modal_form &okno, std::function<void(QDialog &)> uzytkownik)
    {
        prompter().push(Answer::dialog(std::move(uzytkownik)));
        return okno.Wykonaj();
    }
};

// ---- modal picker ---------------------------------------------------------------------

TEST_P(ListaFirmOkna, PickerWybieraDwuklikiemAEscapeIZamkniecieNie)
{
    QLineEdit inneOkno;
    Tlista_firm_modal_form okno;
    Tlista_firm_frame *ramka = okno.frame_list();
    const int oczekiwany = idWiersza(ramka, 3);
    ASSERT_NE(oczekiwany, ramka->idBiezacegoWiersza());
    const int firm = liczbaFirm();

    bool skrotyZablokowane = false;
    const int wynik = uruchom(okno, [&](QDialog &d) {
        // The list's record tools are gone, shortcuts included.
        d.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        ramka->ListaGrid()->setFocus();
        QTest::keyClick(ramka->ListaGrid(), Qt::Key_Delete);
        QTest::keyClick(ramka->ListaGrid(), Qt::Key_A, Qt::ControlModifier);
        skrotyZablokowane = prompter().questionsOf(Kind::Message).isEmpty() && ramka->ListaGrid()->selectedCount() == 0;
        dwuklik(ramka->ListaGrid(), 3);
    });

    EXPECT_EQ(wynik, oczekiwany);
    EXPECT_TRUE(skrotyZablokowane);
    EXPECT_EQ(liczbaFirm(), firm);
    EXPECT_EQ(m_glowne.count(host::msg::ListEditing), 0) << "a double click chooses, it does not edit";
    const auto modalne = prompter().questionsOf(Kind::Modal);
    ASSERT_EQ(modalne.size(), 1);
    EXPECT_EQ(modalne.first().dialogName, u"lista_firm_modal_form"_s);
    EXPECT_EQ(modalne.first().caption, host::LoadResstrings(u"Resstrings_IDS_Firmy"_s));

    // Escape anywhere in the application, or closing, chooses nothing.
    bool zamknieteEscape = false;
    EXPECT_EQ(uruchom(okno,
                      [&](QDialog &d) {
                          QTest::keyRelease(&inneOkno, Qt::Key_Escape);
                          zamknieteEscape = !d.isVisible();
                      }),
              -1);
    EXPECT_TRUE(zamknieteEscape);

    // A new run clears the previous choice; a choice after Escape still counts.
    const int drugi = idWiersza(ramka, 1);
    EXPECT_EQ(uruchom(okno, [&](QDialog &) { dwuklik(ramka->ListaGrid(), 1); }), drugi);
    EXPECT_EQ(uruchom(okno, [](QDialog &d) { d.close(); }), -1);

    // Once closed the picker no longer takes Escape from the rest of the application.
    int przechwycone = 0;
    LicznikPuszczen licznik(przechwycone);
    inneOkno.installEventFilter(&licznik);
    QTest::keyRelease(&inneOkno, Qt::Key_Escape);
    EXPECT_EQ(przechwycone, 1) << "the key reaches its own widget again";
}

// ---- order-import picker ----------------------------------------------------------------

QString zdanie(const QDialog &okno)
{
    QString tekst;
    for (const char *nazwa : {"l1InfoFirma", "l2InfoFirma", "l3InfoFirma", "l4InfoFirma", "l5InfoFirma"}) {
        auto *l = okno.findChild<QLabel *>(QLatin1String(nazwa));
        if (l && !l->isHidden())
            tekst += l->text();
    }
    return tekst;
}

QPushButton *przycisk(const QDialog &okno, const char *nazwa)
{
    return okno.findChild<QPushButton *>(QLatin1String(nazwa));
}

TEST_P(ListaFirmOkna, PickerImportuMowiOFirmieIOferujePrzyciskiImportu)
{
    const QStringList info{u"SP-4411"_s, u"Trans-Pol Sp. z o.o."_s};
    Tlista_firm_sp_modal_form zPowiazaniem;
    zPowiazaniem.UstawInformacje(info, true);
    EXPECT_EQ(zdanie(zPowiazaniem),
              u"Firma Trans-Pol Sp. z o.o. o identyfikatorze powiązania SP-4411"
              " nie została znaleziona w bazie danych."_s);
    EXPECT_EQ(zPowiazaniem.findChild<QLabel *>(u"lInfo"_s)->text(),
              u"Wskaż odpowiadającą jej firmę w programie Malvo lub dodaj jako nową."_s);

    Tlista_firm_sp_modal_form bezPowiazania;
    bezPowiazania.UstawInformacje(info, false);
    EXPECT_EQ(zdanie(bezPowiazania), u"Firma Trans-Pol Sp. z o.o. nie została znaleziona w bazie danych."_s);
    // A picker of its own: its list settings do not mix with the plain picker's.
    EXPECT_EQ(bezPowiazania.frame_list()->formularz(),
              host::ZwrocBazowaWartoscKomponentu(u"lista_firm_sp_modal_form"_s));

    const auto dodawanie = [](const QStringList &) { return 0; };
    // Outside an import only adding a company is offered.
    bezPowiazania.UstawDodawanieFirmy(dodawanie);
    EXPECT_FALSE(przycisk(bezPowiazania, "bDodajNowaFirme")->isHidden());
    EXPECT_TRUE(przycisk(bezPowiazania, "Button1")->isHidden());
    EXPECT_TRUE(przycisk(bezPowiazania, "Button2")->isHidden());

    ASSERT_TRUE(host::var::ImportZlecWTrakcie.set(1));
    Tlista_firm_sp_modal_form okno;
    // Until a company can be created, only the import's own button is offered.
    EXPECT_TRUE(przycisk(okno, "bDodajNowaFirme")->isHidden());
    EXPECT_TRUE(przycisk(okno, "Button1")->isHidden());
    EXPECT_FALSE(przycisk(okno, "Button2")->isHidden());
    okno.UstawDodawanieFirmy(dodawanie);
    EXPECT_FALSE(przycisk(okno, "Button1")->isHidden());
    EXPECT_EQ(przycisk(okno, "Button1")->text(), host::LoadResstrings(u"Resstrings_IDS_dodaj_dla_wszystkich"_s));
    EXPECT_EQ(przycisk(okno, "Button2")->text(),
              host::LoadResstrings(u"Resstrings_IDS_import_kartap__zatwierdz_import_poz_unit__Button3"_s));

    // Confirming the import ends it without a choice.
    okno.UstawInformacje({u"7"_s, u"Nieznana"_s}, true);
    EXPECT_EQ(uruchom(okno, [](QDialog &d) { przycisk(d, "Button2")->click(); }), -1);
    EXPECT_EQ(host::var::ImportZlecWTrakcie.get(), 2);
    EXPECT_EQ(host::var::ImportZlecDodajAllFirma.get(), 0);
}

// ---- empty child window -------------------------------------------------------------------

// An embedded editor that may refuse to close and notes the messages it gets.
class Osadzony : public QDialog
{
public:
    explicit Osadzony(QWidget *parent)
        : QDialog(parent, Qt::Widget)
    {}
    bool pozwolZamknac = true;
    QList<int> komunikaty;

protected:
    void closeEvent(QCloseEvent *e) override
    {
        if (pozwolZamknac)
            QDialog::closeEvent(e);
        else
            e->ignore();
    }
    bool event(QEvent *e) override
    {
        if (auto *m = dynamic_cast<host::HostMessageEvent *>(e))
            komunikaty << m->message();
        return QDialog::event(e);
    }
};

TEST_P(ListaFirmOkna, PustakMowiGlownemuOknuOZmianachTakzeWObszarzeMdi)
{
    QPointer<Tpustak_child_form> pustak = new Tpustak_child_form;
    const qintptr ten = host::windowParam(pustak);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(m_glowne.messages.contains(Komunikat{host::msg::WindowCreated, ten, 0}));

    m_glowne.messages.clear();
    pustak->resize(400, 300);
    pustak->show();
    pustak->resize(500, 320);
    EXPECT_TRUE(m_glowne.messages.contains(Komunikat{host::msg::ChildResized, 0, 0}));

    new QLabel(u"nagłówek"_s, pustak); // not a form
    QPointer<Osadzony> osadzony = new Osadzony(pustak);
    const qintptr edytor = host::windowParam(osadzony);
    EXPECT_EQ(pustak->OsadzoneOkno(), osadzony.data());

    // Leaving a clean editor says nothing; leaving one with unsaved changes asks.
    m_glowne.messages.clear();
    osadzony->setWindowTitle(u"Edycja firmy"_s);
    QEvent odejscie(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(pustak, &odejscie);
    EXPECT_EQ(m_glowne.count(host::msg::ChildClosing), 0);
    osadzony->setWindowTitle(u"*Edycja firmy"_s);
    QEvent powrot(QEvent::WindowActivate);
    QCoreApplication::sendEvent(pustak, &powrot);
    QCoreApplication::sendEvent(pustak, &odejscie);
    EXPECT_EQ(m_glowne.messages, (QList<Komunikat>{{host::msg::ChildClosing, edytor, 1}}));

    // The embedded editor decides about closing.
    m_glowne.messages.clear();
    osadzony->pozwolZamknac = false;
    EXPECT_FALSE(pustak->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(pustak);
    EXPECT_TRUE(m_glowne.messages.contains(Komunikat{host::msg::ChildClosing, edytor, 0}));

    osadzony->pozwolZamknac = true;
    EXPECT_TRUE(pustak->close());
    EXPECT_FALSE(osadzony->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(pustak) << "the container frees itself";
    EXPECT_TRUE(m_glowne.messages.contains(Komunikat{host::msg::ChildDestroyed, ten, 0}));

    // The editor is released to its module, and told.
    ASSERT_TRUE(osadzony);
    EXPECT_EQ(osadzony->parent(), nullptr);
    QCoreApplication::sendPostedEvents(osadzony);
    EXPECT_EQ(osadzony->komunikaty, QList<int>{host::msg::EmbeddedReleased});
    delete osadzony.data();

    // In the host's window area, leaving for another window reports the unsaved editor too.
    m_glowne.show();
    auto *wMdi = new Tpustak_child_form;
    auto *niezapisany = new Osadzony(wMdi);
    niezapisany->setWindowTitle(u"*Nowa firma"_s);
    QMdiSubWindow *pierwsze = m_glowne.area()->addSubWindow(wMdi);
    QMdiSubWindow *drugie = m_glowne.area()->addSubWindow(new QLabel(u"inne"_s));
    pierwsze->show();
    drugie->show();
    m_glowne.area()->setActiveSubWindow(pierwsze);
    m_glowne.messages.clear();
    m_glowne.area()->setActiveSubWindow(drugie);
    EXPECT_EQ(m_glowne.messages.count(Komunikat{host::msg::ChildClosing, host::windowParam(niezapisany), 1}), 1);

    QPointer<Osadzony> zwolniony = niezapisany;
    delete pierwsze;
    delete zwolniony.data();
}

// ---- list window ------------------------------------------------------------------------------

bool widoczna(const Tramka_lista_frame *ramka, const char *nazwa)
{
    auto *a = ramka->findChild<QAction *>(QLatin1String(nazwa));
    return a && a->isVisible();
}

TEST_P(ListaFirmOkna, OgraniczonaListaBezNarzedziAleZEdycja)
{
    host::setWersjaOgraniczona(true);
    m_glowne.show();
    _Execute(qApp, 1);
    Tlista_firm_frame *ramka = this->ramka();
    ASSERT_NE(ramka, nullptr);

    const auto sprawdz = [&] {
        for (const char *nazwa : {"nowy", "usun", "nkopiowanie", "usunfiltry", "zapisz", "podglad", "tbImportZPliku",
                                  "tbExportDoPliku", "pnowy", "pusun", "pKopiowanie", "pzapisz", "ppodglad",
                                  "pZaznaczAll", "pOdznaczAll", "pUstawAktywnaFirme", "pDodajZlecenie"}) {
            QAction *a = ramka->findChild<QAction *>(QLatin1String(nazwa));
            if (!a)
                continue;
            EXPECT_FALSE(a->isVisible()) << nazwa;
            EXPECT_FALSE(a->isEnabled()) << nazwa;
        }
        for (QAction *a : ramka->dostosuj_popup()->actions())
            EXPECT_FALSE(a->isSeparator() && a->isVisible());
        EXPECT_TRUE(ramka->findChild<QWidget *>(u"pPanelFiltry"_s)->isHidden());
        EXPECT_FALSE(ramka->TylkoWlasneFirmyCheck()->isVisibleTo(ramka));
        EXPECT_TRUE(widoczna(ramka, "edycja"));
        EXPECT_TRUE(widoczna(ramka, "odswiez"));
    };
    sprawdz();
    // Reading the rows again must not bring the record tools back.
    ramka->odswiezClick();
    sprawdz();

    // Deleting through the grid's keys is gone as well.
    const int firm = liczbaFirm();
    prompter().setDefaultMessageAnswer(host::mb::IdYes);
    m_glowne.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_glowne));
    ramka->ListaGrid()->setFocus();
    QTest::keyClick(ramka->ListaGrid(), Qt::Key_Delete);
    EXPECT_EQ(liczbaFirm(), firm);
    QTest::keyClick(ramka->ListaGrid(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(ramka->ListaGrid()->selectedCount(), 0) << "nor selecting all";

    m_glowne.messages.clear();
    dwuklik(ramka->ListaGrid(), 2);
    EXPECT_EQ(m_glowne.count(host::msg::ListEditing), 2) << "a double click still edits";
}

TEST_P(ListaFirmOkna, WpisZleceniaZalezyOdUprawnienDoZlecen)
{
    // An administrator's level is 2, which is not the level that shows it.
    _Execute(qApp, 1);
    ASSERT_NE(ramka(), nullptr);
    EXPECT_FALSE(widoczna(ramka(), "N_zlecenie"));
    EXPECT_TRUE(widoczna(ramka(), "nowy")) << "without the switch the list is complete";
    auto *zlecenie = ramka()->findChild<QAction *>(u"pDodajZlecenie"_s);
    ASSERT_NE(zlecenie, nullptr);
    EXPECT_EQ(zlecenie->text(), host::LoadResstrings(u"Resstrings_IDS_firmy__edycja_firmy_unit__dodaj_zlec"_s));
    delete partners::windows().lista_firm_form.data();

    bootstrapAs(u"anowak"_s); // orders.dll = 1
    host::setMainWindow(&m_glowne);
    _Execute(qApp, 1);
    ASSERT_NE(ramka(), nullptr);
    EXPECT_TRUE(widoczna(ramka(), "N_zlecenie"));
}

MALVO_INSTANTIATE_FOR_ENGINES(ListaFirmOkna);

} // namespace
