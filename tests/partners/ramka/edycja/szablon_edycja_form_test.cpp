#include "ramka/edycja/szablon_edycja_form.h"
#include "ramka/pustak_child_form.h"
#include "ramka/ramka_lista_fr.h"

#include "../frame/frame_fixture.h"
#include "connection.h"
#include "dataset.h"
#include "host_fixture.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "services.h"
#include "stored_proc.h"
#include "window_messages.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace Qt::StringLiterals;

using Answer = host::ScriptedPrompter::Answer;
using Kind = host::ScriptedPrompter::Kind;

namespace {

// A saving procedure the tests control: it writes faktura_uwagi_dodatkowe
// like the real one, remembers the @id it was given and answers `kod`.
struct ProceduraTestowa
{
    static constexpr const char *Nazwa = "PTestZapiszSzablonEdycji";
    static inline QVariantList otrzymaneId;
    static inline int kod = 0;
    static inline std::function<void()> wTrakcie;

    static void zarejestruj()
    {
        otrzymaneId.clear();
        kod = 0;
        wTrakcie = nullptr;
        db::ProcedureDefinition d;
        d.name = QLatin1String(Nazwa);
        d.parameters.add(u"@nazwa"_s, QMetaType::QString, db::ParamDirection::Input, 100);
        d.parameters.add(u"@id"_s, QMetaType::Int, db::ParamDirection::InputOutput);
        d.body = [](db::ProcedureContext &c) {
            otrzymaneId << c.in(u"@id"_s);
            if (wTrakcie)
                wTrakcie();
            if (kod != 0)
                return kod;
            db::Connection *polaczenie = &c.connection();
            const QVariant nazwa = c.in(u"@nazwa"_s);
            if (c.isNull(u"@id"_s)) {
                host::ExecQuery(u"insert into faktura_uwagi_dodatkowe (nazwa, tresc) values (:n, 'x')"_s, polaczenie, 0,
                                {{u"n"_s, nazwa}});
                c.setOut(u"@id"_s,
                         host::GetIntDB(u"select max(id_fv_ud) from faktura_uwagi_dodatkowe"_s, QString(), polaczenie));
            } else {
                host::ExecQuery(u"update faktura_uwagi_dodatkowe set nazwa = :n where id_fv_ud = :id"_s, polaczenie, 0,
                                {{u"n"_s, nazwa}, {u"id"_s, c.in(u"@id"_s)}});
            }
            return 0;
        };
        db::ProcedureRegistry::instance().add(d);
    }
};

// The smallest real editor: one name field over faktura_uwagi_dodatkowe.
class EdytorTestowy : public Tszablon_edycja_form
{
public:
    explicit EdytorTestowy(QWidget *parent = nullptr)
        : Tszablon_edycja_form(parent, u"edytor_testowy"_s)
    {
        naglowek = u"Uwaga"_s;
        nazwa = new QLineEdit(PanelWnetrza());
        nazwa->setObjectName(u"e_nazwa"_s);
        podepnijPole(nazwa);
        spZapisz()->setProcedureName(QLatin1String(ProceduraTestowa::Nazwa));
    }

    QLineEdit *nazwa = nullptr;
    bool transakcjaPrzedZapisem = false;
    bool rzucPrzyWypelnianiu = false;

    void ustawTabeleSlownie(const QString &tabela) { tabela_slownie = tabela; }

protected:
    void Wypelnij_Pola() override
    {
        Tszablon_edycja_form::Wypelnij_Pola();
        if (rzucPrzyWypelnianiu)
            throw std::runtime_error("odczyt uwagi");
        nazwa->setText(host::GetStringDB(u"select nazwa from faktura_uwagi_dodatkowe where id_fv_ud = :id"_s, QString(),
                                         nullptr, {{u"id"_s, id_rekordu}}));
    }
    void Wyczysc_Pola() override { nazwa->clear(); }
    bool przedZapisem() override
    {
        // Work of a derived editor done in its own transaction ahead of the procedure.
        if (transakcjaPrzedZapisem) {
            host::GetConnection()->begin();
            host::ExecQuery(u"insert into faktura_uwagi_dodatkowe (nazwa) values ('przed')"_s);
        }
        return true;
    }
    bool ZapiszZmiany(int mode) override
    {
        spZapisz()->setValue(u"@nazwa"_s, nazwa->text());
        return Tszablon_edycja_form::ZapiszZmiany(mode);
    }
};

// Counts the host messages a container receives, by type, and keeps the last one's window.
class Rejestrator : public QObject
{
public:
    QMap<int, int> ile;
    qintptr ostatnieOkno = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == host::msg::CaptionChanged || event->type() == host::msg::CloseMe) {
            ++ile[int(event->type())];
            ostatnieOkno = static_cast<host::HostMessageEvent *>(event)->wParam();
        }
        return false;
    }
};

// A list frame over the remark templates whose row description is "Uwaga: <name>".
class ListaUwag : public Tramka_lista_frame
{
public:
    ListaUwag()
        : Tramka_lista_frame(nullptr, u"lista_uwag"_s)
    {
        UstawKwerende(u"select id_fv_ud as id, nazwa from faktura_uwagi_dodatkowe"_s);
        UstawKolumny({kolumna("id", u"Id"_s, 50), kolumna("nazwa", u"Nazwa"_s, 200)});
        SzablonOpisu = u"Uwaga: %nazwa"_s;
    }
};

} // namespace

class SzablonEdycjiFormTest : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (!IsSkipped())
            ProceduraTestowa::zarejestruj();
    }

    int uwaga(const QString &nazwa)
    {
        host::ExecQuery(u"insert into faktura_uwagi_dodatkowe (nazwa, tresc) values (:n, 't')"_s, nullptr, 0,
                        {{u"n"_s, nazwa}});
        return host::GetIntDB(u"select max(id_fv_ud) from faktura_uwagi_dodatkowe"_s);
    }

    QString nazwaUwagi(int id)
    {
        return host::GetStringDB(u"select nazwa from faktura_uwagi_dodatkowe where id_fv_ud = :id"_s, QString(),
                                 nullptr, {{u"id"_s, id}});
    }

    using Akcja = std::function<void(EdytorTestowy &)>;

    // Runs the editor modally for a record, or for the current row of `lista`; `co` acts inside the open
    // window, active with the name field focused, as keys need. Message answers are scripted inside `co`.
    int otworz(EdytorTestowy &ed, int id, int tryb, int upr, const Akcja &co, db::DataSet *lista = nullptr)
    {
        bool otwarty = false;
        prompter().push(Answer::dialog([&](QDialog &) {
            otwarty = true;
            aktywuj(ed, ed.nazwa);
            co(ed);
        }));
        const int wynik = lista ? ed.PokazDlaListy(lista, tryb, upr) : ed.PokazRekord(id, tryb, upr);
        EXPECT_TRUE(otwarty);
        return wynik;
    }

    static void aktywuj(QWidget &okno, QWidget *fokus)
    {
        okno.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&okno));
        fokus->setFocus();
    }

    int pytaniaOZapis()
    {
        return int(prompter().messageTexts().count(host::LoadResstrings(u"Resstrings_IDS_Dane_nie_zapisane"_s)));
    }

    void TearDown() override
    {
        if (!IsSkipped()) {
            EXPECT_TRUE(prompter().mismatches().isEmpty())
                << prompter().mismatches().join(QLatin1Char('\n')).toStdString();
            EXPECT_EQ(prompter().pendingAnswers(), 0);
        }
        host::var::RunSession.set(false);
        host::var::SaveSession.set(false);
        host::var::SaveSessionClosing.set(false);
        HostDatabaseTest::TearDown();
    }
};

TEST_P(SzablonEdycjiFormTest, SaveInsertsThenUpdatesOncePerClickAndARefusalKeepsTheChanges)
{
    EdytorTestowy ed;
    ed.ustawTabeleSlownie(u"firma"_s);
    int nowe = 0;
    const int wynik = otworz(ed, 0, Tszablon_edycja_form::Nowy, 1, [&](EdytorTestowy &e) {
        EXPECT_FALSE(e.bPowiazPliki()->isEnabled()); // nothing to link to yet
        // A new record starts unsaved.
        EXPECT_EQ(e.windowTitle(), u"*Uwaga - "_s + host::LoadResstrings(u"Resstrings_IDS_Nowy"_s));
        e.nazwa->setText(u"Gamma"_s);
        QTest::keyClick(e.nazwa, Qt::Key_Return);
        ASSERT_EQ(ProceduraTestowa::otrzymaneId.size(), 1);
        EXPECT_TRUE(ProceduraTestowa::otrzymaneId[0].isNull());
        nowe = e.IdRekordu();
        EXPECT_EQ(e.windowTitle(), u"Uwaga"_s);
        EXPECT_FALSE(e.zapisz_zamknij()->isEnabled());
        EXPECT_TRUE(e.bPowiazPliki()->isEnabled());
        EXPECT_EQ(e.ObrazekPowiazanychPlikow(), 3) << "no linked files";

        // A refusal keeps the changes, is reported once and takes work begun ahead of the procedure with it.
        e.nazwa->setText(u"Gamma 2"_s);
        ProceduraTestowa::kod = 101;
        e.transakcjaPrzedZapisem = true;
        e.zapisz()->click();
        EXPECT_EQ(e.windowTitle(), u"*Uwaga"_s);
        EXPECT_EQ(host::GetConnection()->transactionDepth(), 0);
        EXPECT_EQ(prompter().messageTexts(), QStringList{host::saveErrorText(101)});
        e.zapisz_zamknij()->click();
        EXPECT_TRUE(e.isVisible());
        ProceduraTestowa::kod = 0;
        e.transakcjaPrzedZapisem = false;

        // A click delivered while the save is still running is dropped.
        ProceduraTestowa::wTrakcie = [&] { e.zapisz()->click(); };
        QTest::mouseClick(e.zapisz(), Qt::LeftButton);
        QTest::mouseClick(e.zapisz(), Qt::LeftButton);
        ASSERT_EQ(ProceduraTestowa::otrzymaneId.size(), 4);
        EXPECT_EQ(ProceduraTestowa::otrzymaneId[3].toInt(), nowe);
        EXPECT_FALSE(e.CzyZmieniony());
        e.zamknijClick();
    });
    EXPECT_EQ(wynik, QDialog::Accepted);
    EXPECT_EQ(host::GetIntDB(u"select count(*) from faktura_uwagi_dodatkowe"_s), 1);
    EXPECT_EQ(nazwaUwagi(nowe), u"Gamma 2"_s);
    EXPECT_EQ(pytaniaOZapis(), 0);
}

TEST_P(SzablonEdycjiFormTest, CloseQuestionCancelKeepsNoDiscardsYesSavesAndTheSessionRowLivesWithTheWindow)
{
    const int id = uwaga(u"Alfa"_s);
    const auto wierszeSesji = [&] {
        return host::GetIntDB(
            u"select count(*) from sesja where nazwa_dll = 'partners.dll' and id_ = :id and id_u = :u"_s, QString(),
            nullptr, {{u"id"_s, id}, {u"u"_s, host::AktIdU()}});
    };
    host::var::RunSession.set(true);
    {
        EdytorTestowy ed;
        ed.nazwa_dll = u"partners.dll"_s;
        otworz(ed, id, Tszablon_edycja_form::Edycja, 1, [&](EdytorTestowy &e) {
            EXPECT_EQ(wierszeSesji(), 1);
            EXPECT_EQ(e.nazwa->text(), u"Alfa"_s);
            EXPECT_FALSE(e.CzyZmieniony());
            // Without a table name there are no linked files.
            e.bPowiazPliki()->click();
            EXPECT_TRUE(e.bPowiazPliki()->isHidden());
            e.nazwa->setText(u"Zmiana"_s);
            prompter().answerMessage(host::mb::IdCancel);
            EXPECT_FALSE(e.close());
            EXPECT_EQ(e.nazwa->text(), u"Zmiana"_s);
            // The refused close must not block the next one (Esc in a field).
            prompter().answerMessage(host::mb::IdNo);
            QTest::keyClick(e.nazwa, Qt::Key_Escape);
            EXPECT_FALSE(e.isVisible());
        });
        EXPECT_EQ(wierszeSesji(), 0);
    }
    EXPECT_EQ(pytaniaOZapis(), 2);
    const auto pytanie = prompter().questionsOf(Kind::Message).first();
    EXPECT_EQ(pytanie.flags & host::mb::ButtonsMask, host::mb::YesNoCancel);
    EXPECT_EQ(pytanie.flags & host::mb::IconMask, host::mb::IconQuestion);
    EXPECT_EQ(nazwaUwagi(id), u"Alfa"_s);

    host::ExecQuery(u"insert into dokument_plik (sciezka, tabela, id_) values ('a.pdf', 7, :id)"_s, nullptr, 0,
                    {{u"id"_s, id}});
    // Sessions kept on closing survive the editor.
    host::var::SaveSession.set(true);
    host::var::SaveSessionClosing.set(true);
    EdytorTestowy ed;
    ed.nazwa_dll = u"partners.dll"_s;
    ed.ustawTabeleSlownie(u"firma"_s);
    const int wynik = otworz(ed, id, Tszablon_edycja_form::Edycja, 1, [&](EdytorTestowy &e) {
        EXPECT_EQ(e.ObrazekPowiazanychPlikow(), 4) << "a linked file";
        e.nazwa->setText(u"Tak"_s);
        prompter().answerMessage(host::mb::IdYes);
        EXPECT_TRUE(e.close());
    });
    EXPECT_EQ(wynik, QDialog::Accepted);
    EXPECT_EQ(nazwaUwagi(id), u"Tak"_s);
    EXPECT_EQ(wierszeSesji(), 1);
}

// Every key of the editor through a real key press on a row of a list: it acts exactly while its button would.
TEST_P(SzablonEdycjiFormTest, KeysActOnlyWhileTheirButtonsWould)
{
    const int a = uwaga(u"A"_s);
    const int b = uwaga(u"B"_s);
    const int c = uwaga(u"C"_s);
    db::DataSet lista;
    lista.setCommandText(u"select id_fv_ud as id, nazwa from faktura_uwagi_dodatkowe order by id_fv_ud"_s);
    ASSERT_EQ(host::OpenQuery(lista), 1);

    constexpr int Zmieniony = 1, Nawigacja = 2, BezZapiszNast = 4, BezZapisz = 8, EscNieZamyka = 16;
    constexpr int ListaRozwinieta = 32, TylkoOdczyt = 64, Nowy = 128, Kopia = 256;
    const int no = host::mb::IdNo;
    const int anuluj = host::mb::IdCancel;
    const struct
    {
        QKeyCombination klawisz;
        int stan, wiersz, zapisow, rekord; // rekord 0: a new one, -1: a new one saved
        bool otwarty;
        int odpowiedz; // to the unsaved-changes question, when it comes
    } przypadki[] = {
        {Qt::Key_Escape, EscNieZamyka, b, 0, b, true, 0},
        {Qt::Key_Escape, ListaRozwinieta, b, 0, b, true, 0}, // an open combo list keeps its keys
        {Qt::Key_Return, TylkoOdczyt, b, 0, b, true, 0},
        {Qt::CTRL | Qt::Key_S, Zmieniony | TylkoOdczyt, b, 0, b, true, 0},
        {Qt::CTRL | Qt::Key_W, Nowy | TylkoOdczyt, b, 0, 0, true, 0},
        {Qt::CTRL | Qt::Key_W, Zmieniony, b, 1, b, false, 0},
        {Qt::CTRL | Qt::Key_W, 0, b, 0, b, true, 0},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_S, Zmieniony, b, 1, b, true, 0},
        {Qt::CTRL | Qt::ALT | Qt::Key_S, Zmieniony, b, 0, b, true, 0},
        {Qt::CTRL | Qt::Key_S, 0, b, 0, b, true, 0},
        {Qt::CTRL | Qt::Key_S, Zmieniony | BezZapisz, b, 0, b, true, 0},
        {Qt::CTRL | Qt::Key_N, Zmieniony, b, 1, 0, true, 0},
        {Qt::CTRL | Qt::Key_N, Zmieniony | Nawigacja | BezZapiszNast, b, 0, b, true, 0}, // what was typed stays
        {Qt::CTRL | Qt::Key_N, Nawigacja, b, 0, 0, true, 0},
        {Qt::CTRL | Qt::Key_N, 0, b, 0, b, true, 0},
        {Qt::Key_PageUp, Nawigacja, b, 0, a, true, 0},
        {Qt::Key_PageDown, Nawigacja | Zmieniony, c, 0, c, true, 0}, // at the ends the buttons are off
        {Qt::Key_PageUp, Nawigacja | Zmieniony, a, 0, a, true, 0},
        {Qt::Key_PageDown, 0, b, 0, b, true, 0},
        {Qt::Key_PageDown, Nawigacja | ListaRozwinieta, b, 0, b, true, 0},
        {Qt::Key_PageUp, Nawigacja | Zmieniony, b, 0, b, true, anuluj},
        {Qt::Key_PageUp, Nawigacja | Zmieniony, b, 0, a, true, no},
        {Qt::Key_PageDown, Nawigacja | Nowy, b, 0, 0, true, 0},
        {Qt::Key_PageDown, Nawigacja | Kopia, b, 0, 0, true, 0},
        {Qt::CTRL | Qt::Key_W, Kopia, b, 1, -1, false, 0}, // a copy saves as a new record
    };
    for (const auto &p : przypadki) {
        const QString opis = QKeySequence(p.klawisz).toString() + u" stan "_s + QString::number(p.stan);
        SCOPED_TRACE(opis.toStdString());
        ProceduraTestowa::otrzymaneId.clear();
        lista.locate(u"id"_s, p.wiersz);
        const int tryb = p.stan & Nowy ? Tszablon_edycja_form::Nowy
            : p.stan & Kopia           ? Tszablon_edycja_form::Kopia
                                       : Tszablon_edycja_form::Edycja;
        EdytorTestowy ed;
        otworz(
            ed, 0, tryb, p.stan & TylkoOdczyt ? 0 : 1,
            [&](EdytorTestowy &e) {
                e.esc_nie_zamyka = p.stan & EscNieZamyka;
                e.poprzButton()->setVisible(p.stan & Nawigacja);
                e.nastButton()->setVisible(p.stan & Nawigacja);
                e.zapisz_nast()->setHidden(p.stan & BezZapiszNast);
                e.zapisz()->setHidden(p.stan & BezZapisz);
                if (p.stan & Zmieniony)
                    e.nazwa->setText(opis);
                QComboBox rozwijana(e.PanelWnetrza());
                if (p.stan & ListaRozwinieta) {
                    rozwijana.addItems({u"x"_s, u"y"_s});
                    rozwijana.show();
                    rozwijana.setFocus();
                    rozwijana.showPopup();
                    EXPECT_TRUE(QTest::qWaitFor([&] { return rozwijana.view()->hasFocus(); }));
                }
                EXPECT_EQ(e.IdZrodla(), p.stan & Kopia ? p.wiersz : 0);
                if (p.stan & Kopia) {
                    EXPECT_TRUE(e.windowTitle().endsWith(
                        host::LoadResstrings(u"Resstrings_IDS_miasto__ramka_lista_fr__pKopiowanie"_s)));
                }
                const auto pytan = prompter().questions().size();
                if (p.odpowiedz)
                    prompter().answerMessage(p.odpowiedz);
                QTest::keyClick(QApplication::focusWidget(), p.klawisz.key(), p.klawisz.keyboardModifiers());
                EXPECT_EQ(prompter().questions().size(), pytan + (p.odpowiedz ? 1 : 0));
                ASSERT_EQ(ProceduraTestowa::otrzymaneId.size(), p.zapisow);
                if (p.zapisow) {
                    EXPECT_EQ(ProceduraTestowa::otrzymaneId[0],
                              tryb == Tszablon_edycja_form::Edycja ? QVariant(b) : QVariant());
                }
                EXPECT_EQ(p.rekord < 0 ? e.IdRekordu() > c : e.IdRekordu() == p.rekord, true);
                if (e.IdRekordu()) {
                    EXPECT_EQ(lista.value(u"id"_s).toInt(), e.IdRekordu()) << "the list follows the editor";
                }
                EXPECT_EQ(e.isVisible(), p.otwarty);
                EXPECT_EQ(e.nazwa->text().isEmpty(), !p.rekord && !(p.stan & Kopia));
                const bool zmiany = !p.rekord || (p.stan & Zmieniony && p.rekord == p.wiersz && !p.zapisow);
                EXPECT_EQ(e.CzyZmieniony(), p.otwarty && !(p.stan & TylkoOdczyt) && zmiany);
                rozwijana.hidePopup();
                if (e.CzyZmieniony())
                    prompter().answerMessage(no);
                e.close();
            },
            &lista);
    }
}

TEST_P(SzablonEdycjiFormTest, RestrictedVersionShadesBothToolBars)
{
    for (bool ograniczona : {false, true}) {
        host::services().restrictedVersion = ograniczona;
        EdytorTestowy ed;
        host::services().restrictedVersion = false;
        for (QWidget *pasek : {ed.NewToolBarFront(), ed.NewToolBarFrontAdditional()}) {
            const bool gradient = pasek->palette().brush(QPalette::Window).gradient() != nullptr;
            EXPECT_EQ(gradient && pasek->autoFillBackground(), ograniczona) << pasek->objectName().toStdString();
        }
    }
}

TEST_P(SzablonEdycjiFormTest, DockedInATabForAListFrameItTalksToTheContainerAndUsesTheRowDescription)
{
    const int a = uwaga(u"A"_s);
    const int b = uwaga(u"B"_s);
    // As in the company list window: the list frame on one tab, with its own Ctrl+S, the editor on another.
    QTabWidget zakladki;
    auto &ramka = *new ListaUwag;
    zakladki.addTab(&ramka, u"lista"_s);
    ramka.InicjujRamke(u"partners.dll"_s, false, QString(), u"lista_uwag"_s);
    ASSERT_TRUE(ramka.GoToId(a));
    Rejestrator rejestrator;
    zakladki.installEventFilter(&rejestrator);
    auto *ed = new EdytorTestowy;
    QPointer<EdytorTestowy> wskaznik(ed);
    zakladki.setCurrentIndex(zakladki.addTab(ed, u"?"_s));
    zakladki.show();

    EXPECT_EQ(ed->PokazDlaListy(ramka.Lista(), Tszablon_edycja_form::Edycja, 1), QDialog::Rejected);
    EXPECT_TRUE(prompter().questionsOf(Kind::Modal).isEmpty());
    EXPECT_EQ(ed->nazwa->text(), u"A"_s);
    EXPECT_GE(rejestrator.ile.value(host::msg::CaptionChanged), 1);
    EXPECT_EQ(rejestrator.ostatnieOkno, host::windowParam(ed));
    EXPECT_EQ(zakladki.tabText(1), u"Uwaga: A"_s);

    ed->nastButton()->show();
    aktywuj(zakladki, ed->nazwa);
    QTest::keyClick(ed->nazwa, Qt::Key_PageDown);
    EXPECT_EQ(ramka.idBiezacegoWiersza(), b);
    EXPECT_EQ(ed->windowTitle(), u"Uwaga: B"_s);
    // After a save the list is read again and the caption follows the new name.
    ed->nazwa->setText(u"B2"_s);
    QTest::keyClick(ed->nazwa, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(prompter().questionsOf(Kind::SaveFile).isEmpty()) << "the list's own Ctrl+S stays out";
    EXPECT_EQ(ramka.idBiezacegoWiersza(), b);
    EXPECT_EQ(ramka.Lista()->value(u"nazwa"_s).toString(), u"B2"_s);
    EXPECT_EQ(ed->windowTitle(), u"Uwaga: B2"_s);

    rejestrator.ile.clear();
    ed->nazwa->setText(u"Zmiana"_s);
    EXPECT_GE(rejestrator.ile.value(host::msg::CaptionChanged), 1);
    EXPECT_EQ(zakladki.tabText(1), u"*Uwaga: B2"_s);

    // Closing is the container's business: the editor posts it and waits.
    rejestrator.ile.clear();
    prompter().answerMessage(host::mb::IdNo);
    QTest::keyClick(ed->nazwa, Qt::Key_Escape);
    EXPECT_EQ(rejestrator.ile.value(host::msg::CloseMe), 0);
    EXPECT_EQ(zakladki.count(), 2);
    QCoreApplication::sendPostedEvents(&zakladki);
    EXPECT_EQ(rejestrator.ile.value(host::msg::CloseMe), 1);
    EXPECT_EQ(pytaniaOZapis(), 1);
    EXPECT_EQ(zakladki.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(wskaznik.isNull());
    EXPECT_EQ(nazwaUwagi(b), u"B2"_s);
}

TEST_P(SzablonEdycjiFormTest, DockedInTheEmptyChildWindowItEndsWithIt)
{
    const int id = uwaga(u"Alfa"_s);
    QPointer<Tpustak_child_form> pustak = new Tpustak_child_form;
    Rejestrator rejestrator;
    pustak->installEventFilter(&rejestrator);
    QPointer<EdytorTestowy> ed = new EdytorTestowy(pustak);
    EXPECT_EQ(ed->PokazRekord(id, Tszablon_edycja_form::Edycja, 1), QDialog::Rejected);
    EXPECT_FALSE(ed->isWindow());
    EXPECT_GE(rejestrator.ile.value(host::msg::CaptionChanged), 1);

    ed->zamknijClick();
    QCoreApplication::sendPostedEvents(pustak);
    EXPECT_EQ(rejestrator.ile.value(host::msg::CloseMe), 1);
    // The container closes and frees itself, then lets the editor go, which ends too.
    for (int i = 0; i < 3 && (pustak || ed); ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents();
    }
    EXPECT_TRUE(pustak.isNull());
    EXPECT_TRUE(ed.isNull());
}

TEST_P(SzablonEdycjiFormTest, AFailingFillIsOnlyLoggedAndTheWindowStaysUsable)
{
    const int id = uwaga(u"Alfa"_s);
    EdytorTestowy ed;
    ed.rzucPrzyWypelnianiu = true;
    otworz(ed, id, Tszablon_edycja_form::Edycja, 1, [&](EdytorTestowy &e) {
        EXPECT_TRUE(e.isVisible());
        e.nazwa->setText(u"Mimo to"_s);
        e.zapisz_zamknij()->click();
        EXPECT_FALSE(e.isVisible());
    });
    EXPECT_EQ(nazwaUwagi(id), u"Mimo to"_s);
    const QString log = logText();
    EXPECT_TRUE(log.contains(u"partners/ramka/edycja/szablon_edycja_form.cpp"_s)) << log.toStdString();
    EXPECT_TRUE(log.contains(u"Tszablon_edycja_form::showEvent"_s));
    EXPECT_TRUE(log.contains(u"CATCH odczyt uwagi"_s));
}

MALVO_INSTANTIATE_FOR_ENGINES(SzablonEdycjiFormTest);
