#include "company/podrekordy/adresy_firmy_fr.h"
#include "company/podrekordy/edycja_adresu_form.h"

#include "company/firma_fixture.h"

#include "host_funcs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using firmatest::Answer;

class AdresyFirmyTest : public firmatest::FirmaTest
{
protected:
    // The company's address list as its tab shows it.
    std::unique_ptr<Tadresy_firmy_frame> ramka(int idFirmy)
    {
        auto r = std::make_unique<Tadresy_firmy_frame>();
        r->UstawUprawnienia(1);
        r->Otworz(idFirmy, u"test"_s);
        return r;
    }

    // A new address of the city, made default by the box, with the answers to the questions that follow.
    void nowyDomyslny(Tadresy_firmy_frame &r, int idM, const QList<int> &odpowiedzi)
    {
        prompter().push(Answer::dialog([this, idM, odpowiedzi](QDialog &d) {
            auto &e = static_cast<Tedycja_adresu_form &>(d);
            e.cbMiasto()->setCurrentIndex(e.cbMiasto()->findData(idM));
            for (int o : odpowiedzi)
                prompter().answerMessage(o);
            e.cbDomyslny()->click();
            e.zapisz_zamknij()->click();
        }));
        r.nowyClick();
    }

    int domyslny(int idFirmy)
    {
        return ile(u"select id_adr from adres where tabela = 7 and id_ = :f and czy_domyslny = 1"_s, {{"f", idFirmy}});
    }
};

TEST_P(AdresyFirmyTest, FirstDefaultIsSilentASecondAsksOnceAndNoKeepsItAsideTheDefaultStays)
{
    const int typWlasnej = ile(u"select min(id) from VListaPozSlownika where typ_slownika = 'typ_firmy' and"
                               " nazwa_parametru = 'nazwa' and wartosc = :w"_s,
                               {{"w", tekst("Resstrings_IDS_firma_wlasna")}});
    const int idFirmy = firma(u"Własna"_s, {{"typ_firmy", typWlasnej}});
    const int polska = ile(u"select id_panstwa from miasto where id_m = :m"_s, {{"m", m_warszawa}});
    const int bezKodow = wstaw(u"miasto"_s, u"id_m"_s, {{"miasto", u"Bezkodowo"_s}, {"id_panstwa", polska}});
    const int bezKraju = wstaw(u"miasto"_s, u"id_m"_s, {{"miasto", u"Nigdzie"_s}});
    const auto r = ramka(idFirmy);

    prompter().push(Answer::dialog([&](QDialog &d) {
        auto &e = static_cast<Tedycja_adresu_form &>(d);
        EXPECT_EQ(e.windowTitle(), tekst("Resstrings_IDS_Adres_dodawanie_nowego")) << "a new address opens clean";
        e.e_ulica()->setText(u"Długa"_s);
        e.cbMiasto()->setCurrentIndex(e.cbMiasto()->findData(m_warszawa));
        e.cbKod()->setCurrentIndex(e.cbKod()->findData(m_kodWarszawy));
        EXPECT_EQ(e.lKraj()->text(), u"Polska"_s);
        e.cbDomyslny()->click();
        e.zapisz()->click();
        EXPECT_TRUE(e.cbDomyslny()->isChecked());
        EXPECT_FALSE(e.cbDomyslny()->isEnabled()) << "the saved default stays the default";
        EXPECT_TRUE(e.windowTitle().startsWith(tekst("Resstrings_IDS_Adres_edycja_rekordu")));
        e.zamknijClick();
    }));
    r->nowyClick();
    EXPECT_TRUE(prompter().messageTexts().isEmpty());
    const int pierwszy = domyslny(idFirmy);
    EXPECT_EQ(ile(u"select id_kodu from adres where id_adr = :id"_s, {{"id", pierwszy}}), m_kodWarszawy);

    prompter().push(Answer::dialog([&](QDialog &d) {
        auto &e = static_cast<Tedycja_adresu_form &>(d);
        e.e_ulica()->setText(u"Krótka"_s);
        e.zapisz()->click();
        EXPECT_EQ(e.focusWidget(), e.cbMiasto());
        e.cbMiasto()->setCurrentIndex(e.cbMiasto()->findData(bezKraju));
        e.zapisz()->click();
        e.cbMiasto()->setCurrentIndex(e.cbMiasto()->findData(bezKodow));
        EXPECT_EQ(e.cbKod()->count(), 0);
        prompter().answerMessage(host::mb::IdNo);
        e.cbDomyslny()->click();
        EXPECT_FALSE(e.cbDomyslny()->isChecked());
        e.zapisz_zamknij()->click();
    }));
    r->nowyClick();
    EXPECT_EQ(komunikaty(),
              lista({tekst("Resstrings_IDS_prosze_wypelnic_pole").arg(tekst("Resstrings_IDS_Miejscowosc")),
                     tekst("Resstrings_IDS_zlec_panstwo_puste") + u" "_s + tekst("Resstrings_IDS_zlec_panstwo_puste2"),
                     tekst("Resstrings_IDS_Istnieje_adres_dom")}));
    EXPECT_EQ(domyslny(idFirmy), pierwszy);
    EXPECT_EQ(ile(u"select count(*) from adres where id_ = :f and id_m = :m and id_kodu is null"
                  " and czy_domyslny = 0"_s,
                  {{"f", idFirmy}, {"m", bezKodow}}),
              1);

    oznacz();
    ASSERT_TRUE(r->GoToId(pierwszy));
    prompter().answerMessage(host::mb::IdYes);
    r->usunClick();
    EXPECT_EQ(prompter().messageTexts().last(), tekst("Resstrings_IDS_dom_adres_nie_usu"));
    EXPECT_EQ(ile(u"select count(*) from adres where id_ = :f"_s, {{"f", idFirmy}}), 2);
}

TEST_P(AdresyFirmyTest, OnlyACompanyWithInvoicesIsAskedToPutItsNewDefaultOnThem)
{
    const int idFirmy = firma(u"Z fakturami"_s);
    const int stary =
        wstaw(u"adres"_s, u"id_adr"_s, {{"id_", idFirmy}, {"tabela", 7}, {"id_m", m_warszawa}, {"czy_domyslny", 1}});
    const auto r = ramka(idFirmy);

    nowyDomyslny(*r, m_warszawa, {host::mb::IdYes});
    EXPECT_EQ(komunikaty(), lista({tekst("Resstrings_IDS_Istnieje_adres_dom")}));
    EXPECT_NE(domyslny(idFirmy), stary);

    const int fv = wstaw(u"faktura"_s, u"id_fv"_s,
                         {{"nr_pelny", u"FV 1"_s},
                          {"id_f", idFirmy},
                          {"id_platnik", idFirmy},
                          {"id_adr_f", stary},
                          {"id_adr_platnik", stary}});
    oznacz();
    nowyDomyslny(*r, m_warszawa, {host::mb::IdYes, host::mb::IdYes});
    EXPECT_EQ(
        komunikaty(),
        lista({tekst("Resstrings_IDS_Istnieje_adres_dom"), tekst("Resstrings_IDS_nowy_adres_domyslny_ustaw_fv")}));
    // Without a correspondence address the payer's invoices take the default too.
    const int nowy = domyslny(idFirmy);
    EXPECT_EQ(ile(u"select id_adr_f from faktura where id_fv = :id"_s, {{"id", fv}}), nowy);
    EXPECT_EQ(ile(u"select id_adr_platnik from faktura where id_fv = :id"_s, {{"id", fv}}), nowy);
}

} // namespace

MALVO_INSTANTIATE_FOR_ENGINES(AdresyFirmyTest);
