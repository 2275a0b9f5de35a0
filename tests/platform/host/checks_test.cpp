#include "checks.h"

#include <gtest/gtest.h>

namespace {

struct TextCase
{
    const char *input;
    bool expected;
};

std::ostream &operator<<(std::ostream &out, const TextCase &c)
{
    return out << '"' << c.input << '"';
}

class NipTest : public testing::TestWithParam<TextCase>
{};

TEST_P(NipTest, ChecksumDecides)
{
    EXPECT_EQ(host::Sprawdz_nip(QString::fromUtf8(GetParam().input)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Numbers, NipTest,
                         testing::Values(TextCase{"3982597916", true}, TextCase{"9074833787", true},
                                         TextCase{"8762328602", true},
                                         TextCase{"3982597917", false}, // last digit off by one
                                         TextCase{"9074833788", false},
                                         TextCase{"398-259-79-16", true}, // dashes of the usual layout
                                         TextCase{"398 259 79 16", true}, TextCase{" 398-25-97-916 ", true},
                                         TextCase{"PL3982597916", true}, TextCase{"pl 398-259-79-16", true},
                                         TextCase{"DE3982597916", false}, // only the Polish prefix is accepted
                                         TextCase{"398259791", false},    // nine digits
                                         TextCase{"39825979160", false},  // eleven digits
                                         TextCase{"", false}, TextCase{"39825979A6", false},
                                         TextCase{"6669725100", false}, // remainder 10 is never valid
                                         TextCase{"6669725109", false}, TextCase{"398.259.79.16", false}));

class EuroNipTest : public testing::TestWithParam<TextCase>
{};

TEST_P(EuroNipTest, LettersMakeItEuropean)
{
    EXPECT_EQ(host::CzyNipEuro(QString::fromUtf8(GetParam().input)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Numbers, EuroNipTest,
                         testing::Values(TextCase{"DE123456789", true}, TextCase{"PL3982597916", true},
                                         TextCase{"ATU12345678", true}, TextCase{"398-259-79-16", false},
                                         TextCase{"", false}));

class EmailTest : public testing::TestWithParam<TextCase>
{};

TEST_P(EmailTest, ShapeOfAddress)
{
    EXPECT_EQ(host::IsEmailValidate(QString::fromUtf8(GetParam().input)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Addresses, EmailTest,
                         testing::Values(TextCase{"jan.kowalski@firma.pl", true},
                                         TextCase{"biuro+faktury@trans-pol.com.pl", true}, TextCase{"a@b.eu", true},
                                         TextCase{" jan@firma.pl ", true}, TextCase{"jan@żółw.pl", true},
                                         TextCase{"jan@firma", false}, // no top-level domain
                                         TextCase{"jan@firma.p", false}, TextCase{"jan.@firma.pl", false},
                                         TextCase{"jan..nowak@firma.pl", false}, TextCase{".jan@firma.pl", false},
                                         TextCase{"jan@-firma.pl", false}, TextCase{"jan@firma-.pl", false},
                                         TextCase{"jan kowalski@firma.pl", false}, TextCase{"jan@@firma.pl", false},
                                         TextCase{"@firma.pl", false}, TextCase{"jan@", false}, TextCase{"", false},
                                         TextCase{"jan@firma.pl; ewa@firma.pl", false}));

struct ShortNameCase
{
    const char *name;
    const char *expected;
};

std::ostream &operator<<(std::ostream &out, const ShortNameCase &c)
{
    return out << '"' << c.name << '"';
}

class ShortNameTest : public testing::TestWithParam<ShortNameCase>
{};

TEST_P(ShortNameTest, AcronymWithoutLegalForm)
{
    EXPECT_EQ(host::ZbudujSkrotFirmy(QString::fromUtf8(GetParam().name)).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ShortNameTest,
    testing::Values(ShortNameCase{"Trans-Pol Sp. z o.o.", "TRANS-POL"},
                    ShortNameCase{"Przedsiębiorstwo Transportowe Kowalski Sp. z o.o.", "PTK"},
                    ShortNameCase{"Przedsiębiorstwo Handlowe ABC S.A.", "PHABC"},
                    ShortNameCase{"Przedsiębiorstwo Handlowe ABC SA", "PHABC"},
                    ShortNameCase{"Kowalski i Wspólnicy Sp. j.", "KIW"}, ShortNameCase{"Nowak Transport Sp.k.", "NT"},
                    ShortNameCase{"Usługi Transportowe spółka z ograniczoną odpowiedzialnością", "UT"},
                    ShortNameCase{"Zakład Mechaniczny Spółka Akcyjna", "ZM"},
                    ShortNameCase{"Auto-Serwis Nowak s.c.", "ASN"}, ShortNameCase{"„Spedycja Polska” Sp. z o.o.", "SP"},
                    ShortNameCase{"P.P.H.U. Kowalski", "PPHUK"}, ShortNameCase{"Trans 2000 Sp. z o.o.", "T2000"},
                    ShortNameCase{"Kowalski & Syn", "KS"}, ShortNameCase{"Kowalski", "KOWALSKI"},
                    ShortNameCase{"  żuraw  ", "ŻURAW"}, ShortNameCase{"Sp. z o.o.", ""}, ShortNameCase{"", ""},
                    ShortNameCase{"Kasa Stefczyka", "KS"}, // "sa" inside a word is no legal form
                    ShortNameCase{"Spedimex", "SPEDIMEX"}));

TEST(ShortName, OneLongWordIsCutToTheLimit)
{
    EXPECT_EQ(host::ZbudujSkrotFirmy(QStringLiteral("Konstantynopolitańczykowianeczka"), 20).size(), 20);
    EXPECT_EQ(host::ZbudujSkrotFirmy(QStringLiteral("Konstantynopolitańczykowianeczka")),
              QStringLiteral("KONSTANTYNOPOLITAŃCZYKOWIANECZKA").left(30));
}

struct FileNameCase
{
    const char *input;
    const char *replacement;
    const char *expected;
};

std::ostream &operator<<(std::ostream &out, const FileNameCase &c)
{
    return out << '"' << c.input << '"';
}

class FileNameTest : public testing::TestWithParam<FileNameCase>
{};

TEST_P(FileNameTest, ForbiddenCharactersReplaced)
{
    const auto &c = GetParam();
    EXPECT_EQ(host::Usun_znaki_niedozwolone(QString::fromUtf8(c.input), QString::fromUtf8(c.replacement)).toStdString(),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, FileNameTest,
                         testing::Values(FileNameCase{"PL 398-259-79-16", "", "PL 398-259-79-16"},
                                         FileNameCase{"a\\b/c:d*e?f\"g<h>i|j", "", "abcdefghij"},
                                         FileNameCase{"a/b", "_", "a_b"}, FileNameCase{"tab\there", "", "tabhere"},
                                         FileNameCase{"Łódź", "", "Łódź"}));

TEST(FolderName, MadeSafeForOneFolder)
{
    EXPECT_EQ(host::Sprawdz_czy_sensowny_numer(QStringLiteral("ABC/XYZ")), QStringLiteral("ABCXYZ"));
    EXPECT_EQ(host::Sprawdz_czy_sensowny_numer(QStringLiteral("..")), QStringLiteral("_"));
    EXPECT_EQ(host::Sprawdz_czy_sensowny_numer(QStringLiteral(" Firma. ")), QStringLiteral("Firma"));
    EXPECT_EQ(host::Sprawdz_czy_sensowny_numer(QString()), QStringLiteral("_"));
}

TEST(WindowName, DuplicateSuffixRemoved)
{
    EXPECT_EQ(host::ZwrocBazowaWartoscKomponentu(QStringLiteral("lista_firm_form_2")),
              QStringLiteral("lista_firm_form"));
    EXPECT_EQ(host::ZwrocBazowaWartoscKomponentu(QStringLiteral("lista_firm_form_12")),
              QStringLiteral("lista_firm_form"));
    EXPECT_EQ(host::ZwrocBazowaWartoscKomponentu(QStringLiteral("lista_firm_form")), QStringLiteral("lista_firm_form"));
    EXPECT_EQ(host::ZwrocBazowaWartoscKomponentu(QStringLiteral("form2")), QStringLiteral("form2"));
}

} // namespace
