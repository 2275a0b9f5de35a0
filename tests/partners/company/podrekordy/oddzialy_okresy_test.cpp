#include "company/edycja_firmy_form.h"

#include "company/firma_fixture.h"
#include "ramka/ramka_lista_fr.h"

#include "dataset.h"
#include "host_funcs.h"

#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using firmatest::Answer;
using Forma = Tedycja_firmy_form;

class OddzialyOkresyTest : public firmatest::FirmaTest
{
protected:
    void TearDown() override
    {
        if (!IsSkipped()) {
            EXPECT_TRUE(prompter().mismatches().isEmpty());
            EXPECT_EQ(prompter().pendingAnswers(), 0) << "a scripted answer was never asked for";
        }
        FirmaTest::TearDown();
    }

    // Opens the company's editor on the page and lets `co` drive it.
    void otworz(int id, const QString &strona, const std::function<void(Forma &)> &co)
    {
        Forma forma;
        forma.UstawZakladkeStartowa(strona);
        prompter().push(Answer::dialog([&](QDialog &d) { co(static_cast<Forma &>(d)); }));
        forma.PokazRekord(id, Forma::Edycja, 1);
    }

    int firmaZAdresem(const QString &nazwa, QVariantMap inne = {})
    {
        inne.insert(u"skrot"_s, nazwa.left(10));
        const int id = firma(nazwa, inne);
        wstaw(u"adres"_s, u"id_adr"_s,
              {{"id_", id}, {"tabela", 7}, {"id_m", m_warszawa}, {"id_kodu", m_kodWarszawy}, {"czy_domyslny", 1}});
        return id;
    }

    // A column of the rows a list of the editor shows, joined.
    static QString wiersze(QWidget &okno, const char *ramka, const char *pole)
    {
        db::DataSet *lista = okno.findChild<Tramka_lista_frame *>(QLatin1String(ramka))->Lista();
        QStringList wynik;
        for (lista->first(); lista->isActive() && !lista->eof(); lista->next())
            wynik << lista->displayText(QLatin1String(pole));
        return wynik.join(u", "_s);
    }
};

TEST_P(OddzialyOkresyTest, BranchSwitchedToHeadOfficeAndSavedLeavesItsFormerHeadOfficesTab)
{
    const int centrala = firmaZAdresem(u"Centrala SA"_s);
    const int oddzial = firmaZAdresem(u"Oddział Kraków"_s, {{"id_centrali", centrala}});
    otworz(centrala, u"tsOddzialy"_s, [&](Forma &f) {
        EXPECT_EQ(wiersze(f, "centrala_firmy_frame", "nazwa"), QString());
        EXPECT_EQ(wiersze(f, "oddzialy_firmy_frame", "nazwa"), u"Oddział Kraków"_s);
    });
    otworz(oddzial, u"tsOddzialy"_s, [&](Forma &f) {
        QTabWidget *strony = f.PageControl();
        EXPECT_EQ(strony->tabText(strony->currentIndex()), host::LoadResstrings(u"Resstrings_IDS_Centrala2"_s));
        EXPECT_EQ(wiersze(f, "centrala_firmy_frame", "nazwa"), u"Centrala SA"_s);
        EXPECT_EQ(wiersze(f, "oddzialy_firmy_frame", "nazwa"), QString());
        f.findChild<QRadioButton *>(u"rbCentrala"_s)->click();
        oznacz();
        f.zapisz()->click();
        EXPECT_EQ(komunikaty(), "");
        EXPECT_EQ(strony->tabText(strony->currentIndex()), host::LoadResstrings(u"Resstrings_IDS_Oddzialy2"_s));
        EXPECT_EQ(wiersze(f, "centrala_firmy_frame", "nazwa"), QString());
    });
    // Now both stand alone.
    otworz(centrala, u"tsOddzialy"_s, [&](Forma &f) {
        EXPECT_EQ(wiersze(f, "centrala_firmy_frame", "nazwa"), QString());
        EXPECT_EQ(wiersze(f, "oddzialy_firmy_frame", "nazwa"), QString());
    });
}

} // namespace

MALVO_INSTANTIATE_FOR_ENGINES(OddzialyOkresyTest);
