#include "checks.h"

#include <gtest/gtest.h>

namespace {

template <typename Result>
struct Case
{
    const char *input;
    Result expected;
};

// Checks a one-argument function against a table of inputs.
template <typename Result, typename Function>
void expectAll(Function function, std::initializer_list<Case<Result>> cases)
{
    for (const Case<Result> &c : cases)
        EXPECT_EQ(function(QString::fromUtf8(c.input)), c.expected) << '"' << c.input << '"';
}

using Yes = Case<bool>;
using Text = Case<QString>;

TEST(Checks, NipChecksumAndEmailShape)
{
    expectAll<bool>(host::Sprawdz_nip,
                    {Yes{"3982597916", true}, Yes{"3982597917", false}, // last digit off by one
                     Yes{"398 259 79 16", true}, Yes{" 398-25-97-916 ", true}, Yes{"pl 398-259-79-16", true},
                     Yes{"DE3982597916", false}, // only the Polish prefix is accepted
                     Yes{"398259791", false}, Yes{"39825979160", false}, Yes{"39825979A6", false},
                     Yes{"6669725100", false}, // remainder 10 is never valid
                     Yes{"398.259.79.16", false}});
    expectAll<bool>(host::CzyNipEuro, {Yes{"DE123456789", true}, Yes{"398-259-79-16", false}});

    expectAll<bool>(host::IsEmailValidate,
                    {Yes{"jan.kowalski@firma.pl", true}, Yes{"biuro+faktury@trans-pol.com.pl", true},
                     Yes{"a@b.eu", true}, Yes{" jan@firma.pl ", true}, Yes{"jan@żółw.pl", true},
                     Yes{"jan@firma", false}, // no top-level domain
                     Yes{"jan@firma.p", false}, Yes{"jan.@firma.pl", false}, Yes{".jan@firma.pl", false},
                     Yes{"jan@-firma.pl", false}, Yes{"jan@firma-.pl", false}, Yes{"jan kowalski@firma.pl", false},
                     Yes{"jan@@firma.pl", false}, Yes{"@firma.pl", false}, Yes{"jan@", false},
                     Yes{"jan@firma.pl; ewa@firma.pl", false}});
}

TEST(Checks, ShortNamesAndSafeFileFolderAndWindowNames)
{
    expectAll<QString>([](const QString &name) { return host::ZbudujSkrotFirmy(name); },
                       {
                           Text{"Trans-Pol Sp. z o.o.", "TRANS-POL"},
                           Text{"Przedsiębiorstwo Transportowe Kowalski Sp. z o.o.", "PTK"},
                           Text{"Przedsiębiorstwo Handlowe ABC S.A.", "PHABC"},
                           Text{"Przedsiębiorstwo Handlowe ABC SA", "PHABC"},
                           Text{"Kowalski i Wspólnicy Sp. j.", "KIW"},
                           Text{"Usługi Transportowe spółka z ograniczoną odpowiedzialnością", "UT"},
                           Text{"Zakład Mechaniczny Spółka Akcyjna", "ZM"},
                           Text{"Auto-Serwis Nowak s.c.", "ASN"},
                           Text{"„Spedycja Polska” Sp. z o.o.", "SP"},
                           Text{"P.P.H.U. Kowalski", "PPHUK"},
                           Text{"Trans 2000 Sp. z o.o.", "T2000"},
                           Text{"Kowalski & Syn", "KS"},
                           Text{"Kowalski", "KOWALSKI"},
                           Text{"Sp. z o.o.", ""},
                           Text{"", ""},
                           Text{"Kasa Stefczyka", "KS"}, // "sa" inside a word is no legal form
                           Text{"Konstantynopolitańczykowianeczka", "KONSTANTYNOPOLITAŃCZYKOWIANECZ"},
                       });
    EXPECT_EQ(host::ZbudujSkrotFirmy("Konstantynopolitańczykowianeczka", 20), "KONSTANTYNOPOLITAŃCZ");

    expectAll<QString>(
        [](const QString &text) { return host::Usun_znaki_niedozwolone(text, QString()); },
        {Text{"a\\b/c:d*e?f\"g<h>i|j", "abcdefghij"}, Text{"tab\there", "tabhere"}, Text{"Łódź", "Łódź"}});
    EXPECT_EQ(host::Usun_znaki_niedozwolone("a/b", "_"), "a_b");
    expectAll<QString>(host::Sprawdz_czy_sensowny_numer,
                       {Text{"ABC/XYZ", "ABCXYZ"}, Text{"..", "_"}, Text{" Firma. ", "Firma"}});
    expectAll<QString>(host::ZwrocBazowaWartoscKomponentu,
                       {Text{"lista_firm_form_2", "lista_firm_form"}, Text{"lista_firm_form_12", "lista_firm_form"},
                        Text{"form2", "form2"}});
}

} // namespace
