-- Per-user list layouts and the editors a user had open.

create table ust_form (
  id_ust_form {{ID}},
  id_u integer not null,
  formularz {{TEXT}} not null,
  kod_dll {{TEXT}},
  menu {{TEXT}},
  typ {{TEXT}} not null,
  nazwa {{TEXT}},
  napis {{TEXT}},
  kolejnosc integer,
  czy_widoczny integer,
  wyrownanie integer,
  szerokosc integer,
  filtr {{TEXT}},
  data_od {{DATETIME}},
  data_do {{DATETIME}}
);
create index ix_ust_form_klucz on ust_form(id_u, formularz, kod_dll);

-- The key comes last so that an insert listing only the first three values
-- fills it on PostgreSQL.
create table sesja (
  nazwa_dll {{TEXT}} not null,
  id_ integer not null,
  id_u integer not null,
  id_sesji {{ID}}
);
create index ix_sesja_u on sesja(id_u, nazwa_dll);
