#include "company/edycja_firmy_form.h"
#include "company/okresy/edycja_okres_rozlicz_form.h"
#include "company/okresy/okresy_rozl_firmy_fr.h"

#include "company/firma_fixture.h"
#include "ramka/ramka_lista_fr.h"

#include "dataset.h"
#include "global_settings.h"
#include "host_funcs.h"
#include "lista_grid.h"
#include "services.h"
#include "siblings.h"

#include <QComboBox>
#include <QDateEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using firmatest::Answer;
using Forma = Tedycja_firmy_form;

class OddzialyOkresyTest : public firmatest::FirmaTest
{
protected:
    // Opens the company's editor on the page and lets `co` drive it.
    void otworz(int id, const QString &strona, const std::function<void(Forma &)> &co)
    {
        Forma forma;
        forma.UstawZakladkeStartowa(strona);
        prompter().push(Answer::dialog([&](QDialog &d) { co(static_cast<Forma &>(d)); }));
        forma.PokazRekord(id, Forma::Edycja, 1);
    }

    // The names a list of the editor shows, joined.
    static QString wiersze(QWidget &okno, const char *ramka)
    {
        db::DataSet *lista = okno.findChild<Tramka_lista_frame *>(QLatin1String(ramka))->Lista();
        QStringList wynik;
        for (lista->first(); lista->isActive() && !lista->eof(); lista->next())
            wynik << lista->displayText(u"nazwa"_s);
        return wynik.join(u", "_s);
    }
};

TEST_P(OddzialyOkresyTest, BranchSwitchedToHeadOfficeAndSavedLeavesItsFormerHeadOfficesTab)
{
    const int centrala = firmaZAdresem(u"Centrala SA"_s);
    const int oddzial = firmaZAdresem(u"Oddział Kraków"_s, {{"id_centrali", centrala}});
    otworz(centrala, u"tsOddzialy"_s, [&](Forma &f) {
        EXPECT_EQ(wiersze(f, "centrala_firmy_frame"), QString());
        EXPECT_EQ(wiersze(f, "oddzialy_firmy_frame"), u"Oddział Kraków"_s);
    });
    otworz(oddzial, u"tsOddzialy"_s, [&](Forma &f) {
        QTabWidget *strony = f.PageControl();
        EXPECT_EQ(strony->tabText(strony->currentIndex()), host::LoadResstrings(u"Resstrings_IDS_Centrala2"_s));
        EXPECT_EQ(wiersze(f, "centrala_firmy_frame"), u"Centrala SA"_s);
        EXPECT_EQ(wiersze(f, "oddzialy_firmy_frame"), QString());
        f.findChild<QRadioButton *>(u"rbCentrala"_s)->click();
        oznacz();
        f.zapisz()->click();
        EXPECT_EQ(komunikaty(), "");
        EXPECT_EQ(strony->tabText(strony->currentIndex()), host::LoadResstrings(u"Resstrings_IDS_Oddzialy2"_s));
        EXPECT_EQ(wiersze(f, "centrala_firmy_frame"), QString());
    });
    // Now both stand alone; the layout kept from before shows titles in today's words.
    host::services().setTranslation(u"Resstrings_IDS_Firma2"_s, u"Company"_s);
    otworz(centrala, u"tsOddzialy"_s, [&](Forma &f) {
        EXPECT_EQ(wiersze(f, "centrala_firmy_frame"), QString());
        EXPECT_EQ(wiersze(f, "oddzialy_firmy_frame"), QString());
        ui::ListaGrid *siatka = f.findChild<Tramka_lista_frame *>(u"oddzialy_firmy_frame"_s)->ListaGrid();
        EXPECT_EQ(siatka->model()->headerData(1, Qt::Horizontal).toString(), u"Company"_s);
    });
}

TEST_P(OddzialyOkresyTest, PeriodsGeneratedFromThePreviewAreListedAndGoFromAChosenOneToTheLast)
{
    host::setSiblingDirectory(QStringLiteral(MALVO_BIN_DIR));
    auto ustawienia = host::callSibling<shared_store::GlobalSettings *()>(u"shared_store.dll"_s, "_GetGlobalSettings");
    if (!ustawienia || !*ustawienia)
        GTEST_SKIP() << "libshared_store.so is not built";
    const shared_store::GlobalSettings zachowane = **ustawienia;
    (*ustawienia)->dzienPoczatkuOkresu = 1;
    (*ustawienia)->dlugosc_okresu = {{1, u"1 miesiąc"_s, 1}, {7, u"2 miesiące"_s, 2}};
    const int id = firmaZAdresem(u"Okresy"_s);
    const auto data = [](int m, int d) { return QDate(2025, m, d).toString(host::services().dateFormat()); };
    otworz(id, u"tsKsiegRozl"_s, [&](Forma &f) {
        auto *ramka = f.findChild<Tokresy_rozl_firmy_frame *>();
        // The company's first save with a start and a length makes January, shown at once.
        auto *dlugosc = f.findChild<QComboBox *>(u"cbOkresRoz"_s);
        dlugosc->setCurrentIndex(dlugosc->findData(1));
        f.findChild<QDateEdit *>(u"dPoczatekOkresu"_s)->setDate(QDate(2025, 1, 1));
        f.zapisz()->click();
        EXPECT_EQ(ramka->Lista()->recordCount(), 1);
        prompter().push(Answer::dialog([&](QDialog &d) {
            auto &e = static_cast<Tedycja_okres_rozlicz_form &>(d);
            e.dtpeData()->setDate(QDate(2025, 6, 5));
            EXPECT_EQ(e.cbDlugosc()->currentData().toInt(), 1) << "the company's length comes first";
            e.cbDlugosc()->setCurrentIndex(0);
            e.zapisz()->click();
            EXPECT_EQ(komunikaty(),
                      host::LoadResstrings(u"Resstrings_IDS_prosze_wypelnic_pole"_s)
                          .arg(u"Długość okresu rozliczeniowego"_s)
                          .toStdString());
            e.cbDlugosc()->setCurrentIndex(e.cbDlugosc()->findData(7));
            QStringList podglad;
            for (int i = 0; i < e.sgPodglad()->rowCount(); ++i)
                podglad << e.sgPodglad()->item(i, 0)->text() << e.sgPodglad()->item(i, 1)->text();
            // A period starting in the chosen month is made whole.
            EXPECT_EQ(podglad,
                      QStringList({data(2, 1), data(3, 31), data(4, 1), data(5, 31), data(6, 1), data(7, 31)}));
            e.zapisz_zamknij()->click();
        }));
        ramka->nowyClick();
        EXPECT_EQ(ramka->Lista()->recordCount(), 4);
        EXPECT_EQ(dlugosc->currentData().toInt(), 7);
        EXPECT_FALSE(f.CzyZmieniony());

        // A middle period goes with every later one after one question; of several checked, the earliest decides.
        const auto pytanie = [](const QString &od, const QString &doDnia) {
            return (u"Okres od %1 do %2 nie jest ostatnim okresem. Czy mimo to go usunąć?\nMoże to spowodować "
                    "konieczność ponownego wyliczenia miesięcy obejmujących ten okres dla wszystkich pracowników."_s)
                .arg(od, doDnia)
                .toStdString();
        };
        const QList<int> okresy = host::GetListaIntDB(u"select id_okr from okres_roz order by data_od"_s);
        ramka->GoToId(okresy.value(2));
        oznacz();
        prompter().answerMessage(host::mb::IdYes);
        ramka->usunClick();
        EXPECT_EQ(komunikaty(), pytanie(data(4, 1), data(5, 31)));
        EXPECT_EQ(ramka->Lista()->recordCount(), 2);
        ramka->ListaGrid()->selection().select({okresy.value(1)});
        ramka->ListaGrid()->selection().select({okresy.value(0)});
        oznacz();
        prompter().answerMessage(host::mb::IdYes);
        ramka->usunClick();
        EXPECT_EQ(komunikaty(), pytanie(data(1, 1), data(1, 31)));
        EXPECT_EQ(ramka->Lista()->recordCount(), 0);
    });
    **ustawienia = zachowane;
}

} // namespace

MALVO_INSTANTIATE_FOR_ENGINES(OddzialyOkresyTest);
