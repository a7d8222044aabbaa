{ DATABASE library  delimiter | }

grant dba to "librarian";
grant connect to "clerk";




{ TABLE "librarian".reader row size = 71 number of columns = 4 index size = 9 }
{ unload file name = reade00100.unl number of rows = 2 }

create table "librarian".reader 
  (
    reader_id serial not null ,
    name varchar(40) not null ,
    joined date,
    card_no char(22),
    primary key (reader_id) 
  );

revoke all on "librarian".reader from "public" as "librarian";

{ TABLE "librarian".visit row size = 13 number of columns = 3 index size = 9 }
{ unload file name = visit00101.unl number of rows = 0 }

create table "librarian".visit 
  (
    reader_id integer not null ,
    came datetime year to minute,
    minutes smallint
  ) lock mode row;

revoke all on "librarian".visit from "public" as "librarian";


create index "librarian".ix_visit_reader on "librarian".visit 
    (reader_id) using btree ;
alter table "librarian".visit add constraint (foreign key (reader_id) 
    references "librarian".reader  constraint "librarian".fk_visit_reader);

create procedure "librarian".note_visit(p_reader integer)
    insert into visit (reader_id, came) values (p_reader, current year to minute);
end procedure;

grant select on "librarian".reader to "public" as "librarian";
grant execute on procedure "librarian".note_visit (integer) to "public" as "librarian";

create synonym "librarian".members for "librarian".reader;

update statistics medium for table "librarian".reader ;
