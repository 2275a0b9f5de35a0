#include "lists/lista_firm_okno_fixture.h"

#include "company/edycja_firmy_form.h"
#include "partners_api.h"

#include "dataset.h"
#include "host_funcs.h"
#include "lista_grid.h"
#include "scripted_prompter.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using Answer = host::ScriptedPrompter::Answer;
using Kind = host::ScriptedPrompter::Kind;

struct Edytor
{
    int razy = 0;
    int idRekordu = -1;
    int idZrodla = -1;
    int tryb = -1;
    int upr = -1;
    bool zZewnatrz = true;
};

// A company list whose owner hands it a tab widget for its editors.
class RamkaZZakladkami : public Tlista_firm_frame
{
public:
    QTabWidget zakladki;

protected:
    QTabWidget *ZakladkiEdytorow() override { return &zakladki; }
};

class ListaFirmEdycja : public ListaFirmOkno
{
protected:
    void SetUp() override
    {
        ListaFirmOkno::SetUp();
        if (IsSkipped())
            return;
        _Execute(qApp, 1);
        ASSERT_NE(ramka(), nullptr);
        ASSERT_TRUE(ramka()->Lista()->isActive());
    }

    int idWiersza(int n) const
    {
        db::DataSet *lista = ramka()->Lista();
        return lista->valueAt(lista->bookmarkAt(n), lista->fieldIndex(QStringLiteral("id"))).toInt();
    }

    // The next modal editor is recorded into `e`, then `dalej` acts as the user.
    void obejrzyj(Edytor &e, std::function<void(Tedycja_firmy_form &)> dalej = {})
    {
        prompter().push(Answer::dialog([&e, dalej](QDialog &d) {
            auto *f = qobject_cast<Tedycja_firmy_form *>(&d);
            ASSERT_NE(f, nullptr);
            ++e.razy;
            e.idRekordu = f->IdRekordu();
            e.idZrodla = f->IdZrodla();
            e.tryb = f->TrybEdycji();
            e.upr = f->Uprawnienia();
            e.zZewnatrz = f->WywolanieZewnetrzne;
            if (dalej)
                dalej(*f);
        }));
    }

    // Keys reach the grid as they would from a user at an active window.
    void klawisz(Qt::Key key)
    {
        QWidget *okno = partners::windows().lista_firm_form;
        okno->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno));
        ramka()->ListaGrid()->setFocus();
        QTest::keyClick(ramka()->ListaGrid(), key);
    }
};

TEST_P(ListaFirmEdycja, KlawiszeOtwierajaEdytorFirmy)
{
    const int id = idWiersza(4);
    ASSERT_TRUE(ramka()->GoToId(id));

    Edytor f2, enter, insert;
    obejrzyj(f2, [](Tedycja_firmy_form &f) { f.zamknijClick(); });
    obejrzyj(enter, [](Tedycja_firmy_form &f) { f.zamknijClick(); });
    obejrzyj(insert, [](Tedycja_firmy_form &f) { f.zamknijClick(); });
    prompter().setDefaultMessageAnswer(host::mb::IdNo);
    klawisz(Qt::Key_F2);
    klawisz(Qt::Key_Return);
    klawisz(Qt::Key_Insert);

    for (const Edytor *e : {&f2, &enter}) {
        EXPECT_EQ(e->razy, 1);
        EXPECT_EQ(e->idRekordu, id) << "the editor opens on the current row";
        EXPECT_EQ(e->tryb, Tszablon_edycja_form::Edycja);
        EXPECT_EQ(e->upr, 1);
        EXPECT_FALSE(e->zZewnatrz);
    }
    EXPECT_EQ(insert.razy, 1);
    EXPECT_EQ(insert.tryb, Tszablon_edycja_form::Nowy);
    EXPECT_EQ(insert.idRekordu, 0);
    EXPECT_FALSE(partners::windows().edycja_firmy_form) << "a modal editor is freed once closed";
    for (const auto &q : prompter().questionsOf(Kind::Modal))
        EXPECT_EQ(q.dialogClass, QStringLiteral("Tedycja_firmy_form"));
}

TEST_P(ListaFirmEdycja, KopiaIPrawaRamki)
{
    const int id = idWiersza(2);
    ASSERT_TRUE(ramka()->GoToId(id));
    ramka()->Uprawnienia = 0;
    Edytor kopia, edycja;
    prompter().setDefaultMessageAnswer(host::mb::IdNo);
    obejrzyj(kopia, [](Tedycja_firmy_form &f) { f.zamknijClick(); });
    ramka()->nkopiowanieClick();
    obejrzyj(edycja, [](Tedycja_firmy_form &f) { f.zamknijClick(); });
    ramka()->edycjaClick();

    EXPECT_EQ(kopia.tryb, Tszablon_edycja_form::Kopia);
    EXPECT_EQ(kopia.idRekordu, 0);
    EXPECT_EQ(kopia.idZrodla, id) << "a copy starts from the current row";
    EXPECT_EQ(kopia.upr, 0) << "a frame without rights gives a read-only editor";
    EXPECT_EQ(edycja.upr, 0);
}

TEST_P(ListaFirmEdycja, ZapisOdswiezaListeIZostajeNaWierszu)
{
    const int id = idWiersza(FirmyDemo - 3);
    ASSERT_TRUE(ramka()->GoToId(id));
    Edytor e;
    obejrzyj(e, [](Tedycja_firmy_form &f) {
        // Sorted by name, the company moves to the top of the list.
        f.findChild<QLineEdit *>(QStringLiteral("firma_nazwa"))->setText(QStringLiteral("AAA Pierwsza O'Neil"));
        f.zapisz_zamknij()->click();
    });
    ramka()->edycjaClick();
    ASSERT_EQ(e.razy, 1);
    EXPECT_EQ(ramka()->idBiezacegoWiersza(), id);
    EXPECT_EQ(ramka()->Lista()->value(QStringLiteral("nazwa")).toString(), QStringLiteral("AAA Pierwsza O'Neil"));
    EXPECT_EQ(idWiersza(0), id) << "the list was read again";
}

TEST_P(ListaFirmEdycja, KolejkowanaEdycjaOtwieraTaFirme)
{
    const int id = idWiersza(7);
    ASSERT_NE(ramka()->idBiezacegoWiersza(), id);
    Edytor e;
    obejrzyj(e, [](Tedycja_firmy_form &f) { f.zamknijClick(); });
    bool byloOtwarte = false;
    _EdytujRekordTab(id, 1, 3, &byloOtwarte);
    EXPECT_TRUE(byloOtwarte);
    ramka()->Timer1()->stop();
    ramka()->Timer1Timer();
    EXPECT_EQ(e.razy, 1);
    EXPECT_EQ(e.idRekordu, id);
    EXPECT_EQ(e.tryb, Tszablon_edycja_form::Edycja);
}

TEST_P(ListaFirmEdycja, EdytorWZakladceOwnera)
{
    RamkaZZakladkami r;
    r.zakladki.show();
    r.Uprawnienia = 1;
    host::Podepnij_kwerendy(&r);
    r.OtworzListe();
    ASSERT_TRUE(r.Lista()->isActive());
    const int id = idWiersza(5);
    ASSERT_TRUE(r.GoToId(id));
    const QString skrot = r.Lista()->value(QStringLiteral("skrot")).toString();

    r.edycjaClick();
    ASSERT_EQ(r.zakladki.count(), 1);
    auto *edytor = qobject_cast<Tedycja_firmy_form *>(r.zakladki.widget(0));
    ASSERT_NE(edytor, nullptr);
    EXPECT_TRUE(edytor->isVisible());
    EXPECT_EQ(edytor->IdRekordu(), id);
    EXPECT_EQ(edytor->Kontener(), &r.zakladki);
    EXPECT_EQ(r.zakladki.tabText(0), host::LoadResstrings(QStringLiteral("Resstrings_IDS_Edycja")) + QLatin1Char(' ') + skrot);
    EXPECT_TRUE(prompter().questionsOf(Kind::Modal).isEmpty()) << "a docked editor is not modal";

    // The same company again brings its tab forward; a new one gets a tab of its own.
    r.edycjaClick();
    EXPECT_EQ(r.zakladki.count(), 1);
    r.nowyClick();
    ASSERT_EQ(r.zakladki.count(), 2);
    auto *nowy = qobject_cast<Tedycja_firmy_form *>(r.zakladki.widget(1));
    ASSERT_NE(nowy, nullptr);
    EXPECT_EQ(nowy->TrybEdycji(), Tszablon_edycja_form::Nowy);
    EXPECT_EQ(r.zakladki.currentIndex(), 1);
}

MALVO_INSTANTIATE_FOR_ENGINES(ListaFirmEdycja);

} // namespace
