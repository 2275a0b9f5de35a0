-- Reference tables shared by every part of the suite: languages, users and
-- rights, message translations, dictionaries, countries, cities, table codes.
-- Placeholders expanded per engine: {{ID}} identity primary key, {{TEXT}}
-- case-insensitive text, {{DATETIME}}, {{BOOL}} (0/1), {{MONEY}} decimal 18,2.

create table schema_version (
  wersja integer not null
);

create table jezyk (
  id_jezyka integer primary key,
  kod {{TEXT}} not null unique,          -- 'pl', 'en'
  nazwa {{TEXT}} not null
);

create table uzytkownik (
  id_u {{ID}},
  login {{TEXT}} not null unique,
  nazwisko {{TEXT}},
  imie {{TEXT}},
  administrator {{BOOL}} not null default 0,   -- every right at level 2
  aktywny {{BOOL}} not null default 1
);

-- Rights level of a user for a module file name ("partners.dll", "orders.dll"):
-- negative no access, 0 viewing, 1 or more changes.
create table uprawnienia (
  id_upr {{ID}},
  id_u integer not null references uzytkownik(id_u) on delete cascade,
  modul {{TEXT}} not null,
  poziom integer not null,
  unique (id_u, modul)
);

-- Texts of the Resstrings_IDS_ keys per language.
create table resstrings (
  klucz {{TEXT}} not null,
  id_jezyka integer not null references jezyk(id_jezyka),
  tekst {{TEXT}} not null,
  primary key (klucz, id_jezyka)
);

-- Dictionary entries. wartosc is a translation identifier looked up in
-- tlumaczenie (or the literal text when it has no translation).
create table slowwartosci (
  id_wartosci {{ID}},
  typ_slownika {{TEXT}} not null,
  nazwa_parametru {{TEXT}} not null default 'nazwa',
  grupa integer not null default 0,
  wartosc {{TEXT}} not null,
  system {{BOOL}} not null default 0,
  kolor integer
);
create index ix_slowwartosci_typ on slowwartosci(typ_slownika, nazwa_parametru);

create table tlumaczenie (
  id_tl {{ID}},
  identyfikator {{TEXT}} not null,
  id_jezyka integer not null references jezyk(id_jezyka),
  tresc {{TEXT}} not null,
  unique (identyfikator, id_jezyka)
);

create table panstwo (
  id_p {{ID}},
  nazwa {{TEXT}} not null,               -- translation identifier of the name
  sam {{TEXT}} not null,                 -- registration code ("PL", "D")
  iso {{TEXT}} not null,                 -- ISO 3166 alpha-2
  domena {{TEXT}},
  waluta {{TEXT}},
  NIP {{TEXT}},                          -- EU VAT prefix; null outside the EU
  nr_kierunkowy {{TEXT}},                -- dialing prefix ("+48")
  aktywny {{BOOL}} not null default 1
);

create table miasto (
  id_m {{ID}},
  miasto {{TEXT}} not null,
  id_panstwa integer references panstwo(id_p),
  widoczne {{BOOL}} not null default 1,
  id_m_poczty integer,
  id_m_gminy integer,
  id_wpp integer,
  id_wpw integer
);
create index ix_miasto_nazwa on miasto(miasto);

create table kod_pocztowy (
  id_kodu {{ID}},
  kod {{TEXT}} not null,
  id_m integer not null references miasto(id_m) on delete cascade
);
create index ix_kod_pocztowy_m on kod_pocztowy(id_m);

create table definicja_tabela (
  tabela integer primary key,
  tabela_slownie {{TEXT}} not null unique
);

-- Polish bank register: bank sort-code prefix to bank name.
create table bank (
  id_banku {{ID}},
  nr_rozliczeniowy {{TEXT}} not null,
  nazwa {{TEXT}} not null
);
create index ix_bank_nr on bank(nr_rozliczeniowy);

create table ustawienia (
  id_ust {{ID}},
  co {{TEXT}} not null,
  wartosc {{TEXT}},
  kod {{TEXT}},
  id_u integer,
  id_f integer
);
create index ix_ustawienia_klucz on ustawienia(kod, co, id_f);
