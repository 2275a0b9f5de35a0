#include "lists/lista_firm_kolumny.h"
#include "lists/lista_firm_okno_fixture.h"
#include "lists/multiakcje_form.h"

#include "partners_api.h"

#include "dataset.h"
#include "lista_grid.h"

#include <QComboBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Odpowiedz = host::ScriptedPrompter::Answer;

namespace {

// Chooses the entry of that id in the multi-action dialog and confirms it.
Odpowiedz wybierz(int id)
{
    return Odpowiedz::dialog([id](QDialog &okno) {
        auto &dialog = dynamic_cast<Tmultiakcje_form &>(okno);
        dialog.cbLista->setCurrentIndex(dialog.cbLista->findData(id));
        ASSERT_GE(dialog.cbLista->currentIndex(), 0) << id;
        dialog.bZatwierdz->click();
    });
}

void uruchom(Tlista_firm_frame *ramka, const QList<int> &ids, const char *wpis)
{
    ramka->ListaGrid()->uncheckAll();
    for (int id : ids)
        ramka->ListaGrid()->selection().select({id, {}});
    ramka->akcja(QLatin1String(wpis))->trigger();
}

int liczba(const QString &sql, const QVariantMap &parametry = {})
{
    return host::GetIntDB(sql, {}, nullptr, parametry);
}

TEST_P(ListaFirmOkno, MultiakcjaGrupyDodajeBrakujacaAPustaZdejmujeWszystkie)
{
    _Execute(qApp, 1);
    ASSERT_NE(ramka(), nullptr);
    const int a = firmZGrupa();
    const int grupa = liczba(u"select min(grupa) from firma_grupa where id_f = :id"_s, {{"id", a}});
    const int b =
        liczba(u"select min(id_f) from firma where id_f not in (select id_f from firma_grupa where grupa = :g)"_s,
               {{"g", grupa}});
    const QString grupFirmy = u"select count(*) from firma_grupa where id_f = :id"_s;
    const int grupA = liczba(grupFirmy, {{"id", a}});
    const int grupB = liczba(grupFirmy, {{"id", b}});
    const int wszystkich = liczba(u"select count(*) from firma_grupa"_s);

    // A choice cancelled changes nothing; meanwhile the list window stays.
    prompter().push(Odpowiedz::dialog([&](QDialog &okno) {
        auto &dialog = dynamic_cast<Tmultiakcje_form &>(okno);
        EXPECT_EQ(dialog.windowTitle(), u"Grupa"_s);
        EXPECT_FALSE(dialog.bZatwierdz->isEnabled());
        dialog.cbLista->setCurrentIndex(dialog.cbLista->findData(grupa));
        EXPECT_TRUE(dialog.bZatwierdz->isEnabled());
        EXPECT_FALSE(partners::windows().lista_firm_form->close());
        dialog.bAnuluj->click();
    }));
    uruchom(ramka(), {a, b}, "miGrupa");
    EXPECT_EQ(liczba(u"select count(*) from firma_grupa"_s), wszystkich);

    prompter().push(wybierz(grupa));
    uruchom(ramka(), {a, b}, "miGrupa");
    EXPECT_EQ(liczba(grupFirmy, {{"id", a}}), grupA) << "already in the group, nothing removed";
    EXPECT_EQ(liczba(grupFirmy, {{"id", b}}), grupB + 1);
    EXPECT_EQ(liczba(u"select count(*) from firma_grupa"_s), wszystkich + 1);

    prompter().push(wybierz(0));
    uruchom(ramka(), {a, b}, "miGrupa");
    EXPECT_EQ(liczba(grupFirmy, {{"id", a}}) + liczba(grupFirmy, {{"id", b}}), 0);
    EXPECT_EQ(liczba(u"select count(*) from firma_grupa"_s), wszystkich - grupA - grupB);
    ASSERT_TRUE(ramka()->GoToId(a));
    EXPECT_TRUE(ramka()->Lista()->value(QString::fromLatin1(partners::PoleNazwaGrupy)).toString().isEmpty())
        << "the list is read again";
    EXPECT_EQ(prompter().pendingAnswers(), 0);
    EXPECT_TRUE(partners::windows().lista_firm_form->close());
}

TEST_P(ListaFirmOkno, MultiakcjaKoduAnalitykiPoprawiaIDopisujePowiazania)
{
    const int a = idFirmy(0), b = idFirmy(1), c = idFirmy(2);
    host::ExecQuery(u"delete from import_powiazania where import = 15"_s);
    host::ZapiszImportPowiazania(nullptr, -1, u"firma"_s, u"id_f"_s, a, u"stary"_s, 15);
    host::ZapiszImportPowiazania(nullptr, -1, u"firma"_s, u"id_f"_s, c, u"obcy"_s, 15);
    host::ExecQuery(u"update firma set skrot = :s where id_f = :id"_s, nullptr, 0,
                    {{"s", u"O'Hara; 50%_"_s}, {"id", b}});
    _Execute(qApp, 1);
    ASSERT_NE(ramka(), nullptr);

    uruchom(ramka(), {a, b}, "Kodanalitykiustawjakoskrtfirmy1");
    const QString kody =
        u"select wartosc_import from import_powiazania where import = 15 and tabela = 7 and id_ = :id"_s;
    for (int id : {a, b})
        EXPECT_EQ(
            host::GetListaStringDB(kody, {}, nullptr, {{"id", id}}),
            QStringList{host::GetStringDB(u"select skrot from firma where id_f = :id"_s, {}, nullptr, {{"id", id}})});
    EXPECT_EQ(host::GetListaStringDB(kody, {}, nullptr, {{"id", c}}), QStringList{u"obcy"_s});
    EXPECT_TRUE(prompter().questions().isEmpty()) << "no dialog and no error";
}

TEST_P(ListaFirmOkno, MultiakcjaUwagIPozostawiaFirmyKtoreJeJuzMaja)
{
    host::ExecQuery(u"insert into faktura_uwagi_dodatkowe (nazwa, tresc) values ('Uwagi', 't')"_s);
    const int uwagi = liczba(u"select max(id_fv_ud) from faktura_uwagi_dodatkowe"_s);
    const int a = idFirmy(0), b = idFirmy(1);
    host::ExecQuery(u"update firma set id_fv_ud = :u where id_f = :id"_s, nullptr, 0, {{"u", uwagi}, {"id", a}});
    _Execute(qApp, 1);
    ASSERT_NE(ramka(), nullptr);
    int odczyty = 0;
    QObject::connect(ramka()->Lista(), &db::DataSet::beforeOpen, ramka(), [&] { ++odczyty; });
    const QString uwagiFirm = u"select count(*) from firma where id_fv_ud = :u and id_f in (:a, :b)"_s;

    prompter().push(wybierz(uwagi));
    uruchom(ramka(), {a}, "miDomUwagDod");
    EXPECT_EQ(odczyty, 0) << "nothing to change: nothing written, nothing read again";
    prompter().push(wybierz(uwagi));
    uruchom(ramka(), {a, b}, "miDomUwagDod");
    EXPECT_EQ(liczba(uwagiFirm, {{"u", uwagi}, {"a", a}, {"b", b}}), 2);
    EXPECT_EQ(odczyty, 1);
    prompter().push(wybierz(0));
    uruchom(ramka(), {a, b}, "miDomUwagDod");
    EXPECT_EQ(
        liczba(u"select count(*) from firma where id_fv_ud is not null and id_f in (:a, :b)"_s, {{"a", a}, {"b", b}}),
        0);
    EXPECT_EQ(prompter().pendingAnswers(), 0);
}

} // namespace
