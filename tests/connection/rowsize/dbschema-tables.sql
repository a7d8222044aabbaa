-- source: EzequielMelogno/desuru:admsh/administracionRespaldos/desuru.exp/desuru.sql
{ TABLE "informix".persona row size = 102 number of columns = 5 index size = 14 }
create table "informix".persona 
  (
    nombre varchar(32,32) not null ,
    apellido varchar(32,32) not null ,
    contrasena varchar(16,16) not null ,
    telefono varchar(9,9),
    ci varchar(8,8) not null ,
    primary key (ci)  constraint "informix".ci
  );

-- source: EzequielMelogno/desuru:admsh/administracionRespaldos/desuru.exp/desuru.sql
{ TABLE "informix".entrevista row size = 364 number of columns = 12 index size = 53 }
create table "informix".entrevista 
  (
    empleado varchar(8,8) not null ,
    paciente varchar(8,8) not null ,
    fecha datetime minute to minute not null ,
    actitud varchar(16,16) not null ,
    estado_nutricional varchar(32,32) not null ,
    pulso varchar(16,16) not null ,
    frecuencia_cardiaca integer not null ,
    frecuencia_respiratoria integer not null ,
    motivo varchar(200,200) not null ,
    estado_general varchar(64,64) not null ,
    temperatura decimal(2,2) not null ,
    colabora char(1) not null ,
    primary key (empleado,paciente,fecha)  constraint "informix".entrevistaprimary
  );

-- source: EzequielMelogno/desuru:admsh/administracionRespaldos/desuru.exp/desuru.sql
{ TABLE "informix".solicitud_analisis row size = 61 number of columns = 6 index size = 62 }
create table "informix".solicitud_analisis 
  (
    cod integer not null ,
    empleado varchar(8,8) not null ,
    paciente varchar(8,8) not null ,
    fecha_entrevista datetime minute to minute not null ,
    diagnostico integer not null ,
    tipo varchar(32,32) not null ,
    primary key (cod,empleado,paciente,fecha_entrevista,diagnostico)  constraint 
              "informix".solicitudanalisisprimary
  );

-- source: EzequielMelogno/desuru:admsh/administracionRespaldos/desuru.exp/desuru.sql
{ TABLE "informix".fisico row size = 553 number of columns = 6 index size = 9 }
create table "informix".fisico 
  (
    cod integer not null ,
    piel varchar(32,32) not null ,
    bucofaringeo varchar(128,128) not null ,
    cuello varchar(128,128) not null ,
    linfogaglionar varchar(128,128) not null ,
    mamas varchar(128,128) not null ,
    primary key (cod)  constraint "informix".fisicoprimary
  );

-- source: EzequielMelogno/desuru:admsh/administracionRespaldos/desuru.exp/desuru.sql
{ TABLE "informix".glasgow row size = 16 number of columns = 4 index size = 9 }
create table "informix".glasgow 
  (
    cod integer not null ,
    ocular integer not null ,
    verbal integer not null ,
    motora integer not null ,
    
    check ((((((ocular >= 1 ) AND (ocular < 5 ) ) AND (verbal >= 1 ) ) AND (verbal 
              < 6 ) ) AND (motora >= 1 ) ) AND (motora < 7 ) ) constraint "informix".checkglasgow,
    primary key (cod)  constraint "informix".glasgowprimary
  );

-- source: EzequielMelogno/desuru:admsh/administracionRespaldos/desuru.exp/desuru.sql
{ TABLE "informix".plan row size = 538 number of columns = 6 index size = 54 }
create table "informix".plan 
  (
    cod integer not null ,
    empleado varchar(8,8) not null ,
    paciente varchar(8,8) not null ,
    fecha_entrevista datetime minute to minute not null ,
    detalles char(512) not null ,
    fecha datetime minute to minute not null ,
    primary key (cod,empleado,paciente,fecha_entrevista)  constraint "informix".planprimary
  );

-- source: ivohb/projetos-4GL:102/polimetri/scripts/est_hist_polimetri.sql
{ TABLE "informix".est_hist_polimetri row size = 93 number of columns = 12 index size = 0 }
create table "informix".est_hist_polimetri 
  (
    cod_empresa char(2) not null ,
    cod_item char(15) not null ,
    mes_ref decimal(2,0) not null ,
    ano_ref decimal(4,0) not null ,
    ano_mes_ref decimal(6,0) not null ,
    qtd_entrada decimal(15,3) not null ,
    qtd_saida decimal(15,3) not null ,
    qtd_mes_ant decimal(15,3) not null ,
    cus_unit_medio decimal(17,6) not null ,
    cus_unit_forte decimal(17,6) not null ,
    cus_unit_medio_rep decimal(17,6) not null ,
    cus_unit_forte_rep decimal(17,6) not null 
  );

-- source: ivohb/projetos-4GL:102/polimetri/scripts/man_apont_454.sql
{ TABLE "admlog".man_apont_454 row size = 186 number of columns = 29 index size = 11 }
create table "admlog".man_apont_454 
  (
    empresa char(2) not null ,
    dat_ini_producao char(10) not null ,
    dat_fim_producao char(10),
    item char(15) not null ,
    ordem_producao integer not null ,
    sequencia_operacao decimal(3,0) not null ,
    operacao char(5) not null ,
    centro_trabalho char(5) not null ,
    arranjo char(5) not null ,
    qtd_refugo decimal(10,3),
    qtd_boas decimal(10,3),
    tip_movto char(1) not null ,
    local char(10),
    qtd_hor decimal(11,7),
    matricula char(8) not null ,
    sit_apont char(1) not null ,
    turno char(1) not null ,
    hor_inicial char(10) not null ,
    hor_fim char(10),
    refugo integer,
    parada char(3),
    hor_ini_parada datetime hour to minute,
    hor_fim_parada datetime hour to minute,
    unid_funcional char(10),
    dat_atualiz char(10),
    terminado char(1),
    eqpto char(15),
    ferramenta char(15),
    integr_min char(1)
  );

-- source: ivohb/projetos-4GL:102/polimetri/scripts/gm_polimetri.sql
{ TABLE "toni".gm_polimetri row size = 17 number of columns = 2 index size = 22 }
create table "toni".gm_polimetri 
  (
    cod_empresa char(2) not null constraint "toni".n5204_43617,
    cod_cliente char(15) not null constraint "toni".n5204_43618
  );

-- source: ivohb/projetos-4GL:102/polimetri/scripts/par_vdp_polimetri.sql
{ TABLE "informix".par_vdp_polimetri row size = 10 number of columns = 3 index size = 7 }
create table "informix".par_vdp_polimetri 
  (
    cod_empresa char(2),
    pct_margem decimal(5,2),
    pct_outras_desp decimal(5,2),
    primary key (cod_empresa)  constraint "informix".pk_par_vdp_poli
  );

-- source: ivohb/projetos-4GL:102/polimetri/scripts/evento_polimetri.sql
{ TABLE "toni".evento_polimetri row size = 81 number of columns = 5 index size = 13 }
create table "toni".evento_polimetri 
  (
    cod_empresa char(2) not null constraint "toni".n5611_43960,
    cod_evento decimal(3,0) not null constraint "toni".n5611_43961,
    den_evento char(50) not null constraint "toni".n5611_43962,
    cta_debito char(23) not null constraint "toni".n5612_43965,
    cod_hist_deb decimal(3,0) not null constraint "toni".n5611_43964,
    primary key (cod_empresa,cod_evento) constraint "toni".pk_evento
  );

-- source: Enki97/CODEX:sigen.exp/sigen.sql
{ TABLE "informix".usuario row size = 862 number of columns = 17 index size = 0 }
create table "informix".usuario 
  (
    documento integer not null ,
    primernombre char(30) not null ,
    segundonombre char(30),
    primerapellido char(30) not null ,
    segundoapellido char(30) not null ,
    fechanac date not null ,
    email char(140) not null ,
    foto char(190),
    dir_calle char(50) not null ,
    dir_numero integer not null ,
    dir_bis integer not null ,
    dir_apartamento integer,
    nacionalidad char(140) not null ,
    rol char(40) not null ,
    sexo char(30) not null ,
    inactivo integer not null ,
    contrasenia char(128) not null 
  );

-- source: Enki97/CODEX:sigen.exp/sigen.sql
{ TABLE "informix".deportista row size = 61 number of columns = 8 index size = 13 }
create table "informix".deportista 
  (
    documento integer not null ,
    nro_socio integer not null ,
    altura integer not null ,
    peso integer not null ,
    venfichamedica date not null ,
    criterio char(11) not null ,
    imc decimal(16) not null ,
    somatotipo char(20) not null ,
    primary key (documento,nro_socio)  constraint "informix".deportista_pk
  );

-- source: Enki97/CODEX:sigen.exp/sigen.sql
{ TABLE "informix".instituto row size = 356 number of columns = 7 index size = 0 }
create table "informix".instituto 
  (
    rut bigint not null ,
    nombre char(30) not null ,
    dir_calle char(50) not null ,
    dir_num integer not null ,
    dir_bis integer not null ,
    email char(140) not null ,
    sitio_web char(120) not null 
  );

-- source: Enki97/CODEX:sigen.exp/sigen.sql
{ TABLE "informix".pertenece row size = 20 number of columns = 4 index size = 0 }
create table "informix".pertenece 
  (
    documento integer not null ,
    rut bigint not null ,
    fecha_inicio date not null ,
    fecha_fin date
  );

-- source: Enki97/CODEX:sigen.exp/sigen.sql
{ TABLE "informix".sectores row size = 52 number of columns = 3 index size = 17 }
create table "informix".sectores 
  (
    rut bigint not null ,
    nro_sector integer not null ,
    nombre char(40) not null ,
    primary key (rut,nro_sector)  constraint "informix".sectores_pk
  );

-- source: Enki97/CODEX:sigen.exp/sigen.sql
{ TABLE "informix".planesentrenamiento row size = 592 number of columns = 6 index size = 9 }
create table "informix".planesentrenamiento 
  (
    id_planes integer not null ,
    nombre char(40) not null ,
    descripcion char(500) not null ,
    fase char(40) not null ,
    fechadesde date not null ,
    fechahasta date not null ,
    primary key (id_planes)  constraint "informix".planesentrenamiento_pk
  );

-- source: Enki97/CODEX:sigen.exp/sigen.sql
{ TABLE "informix".telefono_instituto row size = 12 number of columns = 2 index size = 0 }
create table "informix".telefono_instituto 
  (
    rut bigint not null ,
    telefono integer not null 
  );

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".gent000 row size = 45 number of columns = 9 index size = 34 }
create table "fobos".gent000 
  (
    g00_serial serial not null ,
    g00_porc_impto decimal(4,2) not null ,
    g00_label_impto varchar(10,5) not null ,
    g00_moneda_base char(2) not null ,
    g00_moneda_alt char(2),
    g00_decimal_mb smallint not null ,
    g00_decimal_ma smallint,
    g00_usuario varchar(10,5) not null ,
    g00_fecing datetime year to second not null 
  )  extent size 16 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".gent001 row size = 179 number of columns = 11 index size = 34 }
create table "fobos".gent001 
  (
    g01_compania serial not null ,
    g01_razonsocial varchar(40,20) not null ,
    g01_abreviacion varchar(10,5) not null ,
    g01_estado char(1) not null ,
    g01_actividad varchar(40,20) not null ,
    g01_numpatronal varchar(15,15) not null ,
    g01_replegal varchar(30,15) not null ,
    g01_cedrepl varchar(13,13) not null ,
    g01_principal char(1) not null ,
    g01_usuario varchar(10,5) not null ,
    g01_fecing datetime year to second not null ,
    
    check (g01_estado IN ('A' ,'B' )),
    
    check (g01_principal IN ('S' ,'N' ))
  )  extent size 16 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".gent009 row size = 104 number of columns = 12 index size = 87 }
create table "fobos".gent009 
  (
    g09_compania integer not null ,
    g09_banco integer not null ,
    g09_numero_cta char(15) not null ,
    g09_estado char(1) not null ,
    g09_tipo_cta char(1) not null ,
    g09_moneda char(2) not null ,
    g09_pago_roles char(1) not null ,
    g09_atencion_rol varchar(40,20),
    g09_aux_cont char(12) not null ,
    g09_num_cheques integer not null ,
    g09_usuario varchar(10,5) not null ,
    g09_fecing datetime year to second not null ,
    
    check (g09_estado IN ('A' ,'B' )),
    
    check (g09_tipo_cta IN ('C' ,'A' )),
    
    check (g09_pago_roles IN ('S' ,'N' ))
  )  extent size 16 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".gent036 row size = 58 number of columns = 5 index size = 34 }
create table "fobos".gent036 
  (
    g36_dia date not null ,
    g36_referencia varchar(30,15) not null ,
    g36_nue_dia date,
    g36_usuario varchar(10,5) not null ,
    g36_fecing datetime year to second not null 
  )  extent size 16 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".gent054 row size = 84 number of columns = 7 index size = 55 }
create table "fobos".gent054 
  (
    g54_modulo char(2) not null ,
    g54_proceso char(10) not null ,
    g54_nombre varchar(50,20) not null ,
    g54_tipo char(1) not null ,
    g54_estado char(1) not null ,
    g54_usuario varchar(10,5) not null ,
    g54_fecing datetime year to second not null ,
    
    check (g54_tipo IN ('C' ,'R' ,'P' ,'M' ,'E' ,'N' )),
    
    check (g54_estado IN ('A' ,'B' ,'R' ))
  )  extent size 55 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".gent014 row size = 40 number of columns = 6 index size = 52 }
create table "fobos".gent014 
  (
    g14_serial serial not null ,
    g14_moneda_ori char(2) not null ,
    g14_moneda_des char(2) not null ,
    g14_tasa decimal(22,15) not null ,
    g14_usuario varchar(10,5) not null ,
    g14_fecing datetime year to second not null 
  )  extent size 16 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".gent055 row size = 46 number of columns = 6 index size = 127 }
create table "fobos".gent055 
  (
    g55_user varchar(10,5) not null ,
    g55_compania integer not null ,
    g55_modulo char(2) not null ,
    g55_proceso char(10) not null ,
    g55_usuario varchar(10,5) not null ,
    g55_fecing datetime year to second not null 
  )  extent size 568 next size 56 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".talt003 row size = 109 number of columns = 20 index size = 102 }
create table "fobos".talt003 
  (
    t03_compania integer not null ,
    t03_mecanico smallint not null ,
    t03_nombres varchar(30,15) not null ,
    t03_iniciales char(3) not null ,
    t03_codrol integer,
    t03_tipo char(1) not null ,
    t03_seccion smallint not null ,
    t03_linea char(5) not null ,
    t03_hora_ini datetime hour to minute,
    t03_hora_fin datetime hour to minute,
    t03_cost_hvn decimal(5,2) not null ,
    t03_cost_hve decimal(5,2) not null ,
    t03_cost_htn decimal(5,2) not null ,
    t03_cost_hte decimal(5,2) not null ,
    t03_fact_hvn decimal(5,2) not null ,
    t03_fact_hve decimal(5,2) not null ,
    t03_fact_htn decimal(5,2) not null ,
    t03_fact_hte decimal(5,2) not null ,
    t03_usuario varchar(10,5) not null ,
    t03_fecing datetime year to second not null ,
    
    check (t03_tipo IN ('M' ,'A' ))
  )  extent size 16 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".talt005 row size = 59 number of columns = 10 index size = 60 }
create table "fobos".talt005 
  (
    t05_compania integer not null ,
    t05_tipord char(1) not null ,
    t05_nombre char(15) not null ,
    t05_factura char(1) not null ,
    t05_prec_rpto char(1) not null ,
    t05_valtope_mb decimal(11,2) not null ,
    t05_valtope_ma decimal(11,2) not null ,
    t05_cli_default integer,
    t05_usuario varchar(10,5) not null ,
    t05_fecing datetime year to second not null ,
    
    check (t05_factura IN ('S' ,'N' )),
    
    check (t05_prec_rpto IN ('P' ,'C' ))
  )  extent size 16 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".talt007 row size = 122 number of columns = 14 index size = 64 }
create table "fobos".talt007 
  (
    t07_compania integer not null ,
    t07_codtarea char(12) not null ,
    t07_nombre varchar(60,30) not null ,
    t07_estado char(1) not null ,
    t07_tipo char(1) not null ,
    t07_pto_default smallint not null ,
    t07_val_defa_mb decimal(9,2) not null ,
    t07_val_defa_ma decimal(9,2) not null ,
    t07_dscmax_ger decimal(4,2) not null ,
    t07_dscmax_jef decimal(4,2) not null ,
    t07_dscmax_ven decimal(4,2) not null ,
    t07_modif_desc char(1) not null ,
    t07_usuario varchar(10,5) not null ,
    t07_fecing datetime year to second not null ,
    
    check (t07_estado IN ('A' ,'B' )),
    
    check (t07_tipo IN ('P' ,'V' )),
    
    check (t07_modif_desc IN ('S' ,'N' )) constraint "fobos".ck_03_talt007
  )  extent size 16 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".rept000 row size = 52 number of columns = 23 index size = 51 }
create table "fobos".rept000 
  (
    r00_compania integer not null ,
    r00_estado char(1) not null ,
    r00_tipo_costo char(1) not null ,
    r00_cia_taller integer not null ,
    r00_codcli_tal integer,
    r00_tipo_margen char(1) not null ,
    r00_tipo_descto char(1) not null ,
    r00_bodega_fact char(2),
    r00_contr_prof char(1) not null ,
    r00_dias_prof smallint not null ,
    r00_expi_prof smallint not null ,
    r00_fact_sin_stock char(1) not null ,
    r00_dias_dev smallint not null ,
    r00_dev_mes char(1) not null ,
    r00_tipo_fact char(1) not null ,
    r00_numlin_fact smallint not null ,
    r00_valmin_ccli decimal(8,2) not null ,
    r00_anopro smallint not null ,
    r00_mespro smallint not null ,
    r00_fecha_cd date,
    r00_fecha_cm date,
    r00_fecha_ca date,
    r00_concil_cl_im char(1) not null ,
    
    check (r00_tipo_fact IN ('U' ,'M' )),
    
    check (r00_estado IN ('A' ,'B' )),
    
    check (r00_tipo_costo IN ('P' ,'U' )),
    
    check (r00_tipo_margen IN ('L' ,'I' )),
    
    check (r00_tipo_descto IN ('L' ,'I' )),
    
    check (r00_fact_sin_stock IN ('S' ,'N' )),
    
    check (r00_dev_mes IN ('S' ,'N' )),
    
    check (r00_contr_prof IN ('S' ,'N' )),
    
    check (r00_concil_cl_im IN ('S' ,'N' )) constraint "fobos".ck_08_rept000
  )  extent size 16 next size 16 lock mode row;

-- source: randallard/ifx-train-data-refresh:test_live.exp/test_live.sql
{ TABLE "informix".customers row size = 429 number of columns = 6 index size = 0 }
create table "informix".customers 
  (
    id serial not null ,
    first_name varchar(50),
    last_name varchar(50),
    email varchar(100),
    address varchar(200),
    phone varchar(20)
  );

-- source: randallard/ifx-train-data-refresh:test_live.exp/test_live.sql
{ TABLE "informix".projects row size = 362 number of columns = 6 index size = 0 }
create table "informix".projects 
  (
    id serial not null ,
    customer_id integer,
    project_name varchar(100),
    name1 varchar(50),
    name2 varchar(50),
    combo_name varchar(150)
  );

-- source: randallard/ifx-train-data-refresh:test_live.exp/test_live.sql
{ TABLE "informix".train_specific_data row size = 311 number of columns = 3 index size = 0 }
create table "informix".train_specific_data 
  (
    id serial not null ,
    data_key varchar(50),
    data_value varchar(255)
  );

-- source: ivohb/projetos-4GL:102/Fame/Docs/php/lt1200.com.br/programas/fame/temp/item.sql
{ TABLE "informix".item row size = 186 number of columns = 23 index size = 35 }
create table "informix".item 
  (
    cod_empresa char(2) not null ,
    cod_item char(15) not null ,
    den_item char(76) not null ,
    den_item_reduz char(18),
    cod_unid_med char(3) not null ,
    pes_unit decimal(12,5) not null ,
    ies_tip_item char(1) not null ,
    dat_cadastro date,
    ies_ctr_estoque char(1) not null ,
    cod_local_estoq char(10),
    ies_tem_inspecao char(1) not null ,
    cod_local_insp char(10),
    ies_ctr_lote char(1) not null ,
    cod_familia char(3) not null ,
    gru_ctr_estoq decimal(2,0),
    cod_cla_fisc char(10) not null ,
    pct_ipi decimal(6,3) not null ,
    cod_lin_prod decimal(2,0) not null ,
    cod_lin_recei decimal(2,0) not null ,
    cod_seg_merc decimal(2,0) not null ,
    cod_cla_uso decimal(2,0) not null ,
    fat_conver decimal(11,6) not null ,
    ies_situacao char(1) not null 
  );

-- source: ivohb/projetos-4GL:102/Fame/2017-04-18/fat_nf_item.sql
{ TABLE "informix".fat_nf_item row size = 424 number of columns = 48 index size = 41 }
create table "informix".fat_nf_item 
  (
    empresa char(2) not null ,
    trans_nota_fiscal integer not null ,
    seq_item_nf integer not null ,
    pedido integer not null ,
    seq_item_pedido integer not null ,
    ord_montag integer not null ,
    tip_item char(1) not null ,
    item char(15) not null ,
    des_item char(76) not null ,
    unid_medida char(3) not null ,
    peso_unit decimal(17,6) not null ,
    qtd_item decimal(17,6) not null ,
    fator_conv decimal(11,6) not null ,
    lista_preco smallint,
    versao_lista_preco smallint,
    tip_preco char(1) not null ,
    natureza_operacao integer not null ,
    classif_fisc char(10) not null ,
    item_prod_servico char(1) not null ,
    preco_unit_bruto decimal(17,6) not null ,
    pre_uni_desc_incnd decimal(17,6) not null ,
    preco_unit_liquido decimal(17,6) not null ,
    pct_frete decimal(7,4) not null ,
    val_desc_item decimal(17,2) not null ,
    val_desc_merc decimal(17,2) not null ,
    val_desc_contab decimal(17,2) not null ,
    val_desc_duplicata decimal(17,2) not null ,
    val_acresc_item decimal(17,2) not null ,
    val_acre_merc decimal(17,2) not null ,
    val_acresc_contab decimal(17,2) not null ,
    val_acre_duplicata decimal(17,2) not null ,
    val_fret_consig decimal(17,2) not null ,
    val_segr_consig decimal(17,2) not null ,
    val_frete_cliente decimal(17,2) not null ,
    val_seguro_cliente decimal(17,2) not null ,
    val_bruto_item decimal(17,2) not null ,
    val_brt_desc_incnd decimal(17,2) not null ,
    val_liquido_item decimal(17,2) not null ,
    val_merc_item decimal(17,2) not null ,
    val_duplicata_item decimal(17,2) not null ,
    val_contab_item decimal(17,2) not null ,
    fator_conv_cliente decimal(11,6),
    uni_med_cliente char(3),
    cest integer,
    fator_conv_trib decimal(13,9),
    uni_med_trib char(3),
    qtd_item_trib decimal(17,6),
    preco_unit_trib decimal(17,6),
    primary key (empresa,trans_nota_fiscal,seq_item_nf)  constraint "informix".pk_fatitem
  );

-- source: ivohb/projetos-4GL:102/Fame/Docs/2016-12-06/fat_nf_mestre_prd.sql
{ TABLE "informix".fat_nf_mestre row size = 429 number of columns = 64 index size = 137 }
create table "informix".fat_nf_mestre 
  (
    empresa char(2) not null ,
    trans_nota_fiscal serial not null ,
    tip_nota_fiscal char(8) not null ,
    serie_nota_fiscal char(3) not null ,
    subserie_nf smallint not null ,
    espc_nota_fiscal char(3) not null ,
    nota_fiscal integer not null ,
    status_nota_fiscal char(1) not null ,
    modelo_nota_fiscal char(2) not null ,
    origem_nota_fiscal char(1) not null ,
    tip_processamento char(1) not null ,
    sit_nota_fiscal char(1) not null ,
    cliente char(15) not null ,
    remetent char(15) not null ,
    zona_franca char(1) not null ,
    natureza_operacao integer not null ,
    finalidade char(1) not null ,
    cond_pagto integer not null ,
    tip_carteira char(2) not null ,
    ind_despesa_financ decimal(7,6) not null ,
    moeda smallint not null ,
    plano_venda char(1) not null ,
    transportadora char(15),
    tip_frete char(1) not null ,
    placa_veiculo char(10),
    estado_placa_veic char(2),
    placa_carreta_1 char(10),
    estado_plac_carr_1 char(2),
    placa_carreta_2 char(10),
    estado_plac_carr_2 char(2),
    tabela_frete smallint,
    seq_tabela_frete smallint,
    sequencia_faixa smallint,
    via_transporte smallint,
    peso_liquido decimal(17,6) not null ,
    peso_bruto decimal(17,6) not null ,
    peso_tara decimal(17,6) not null ,
    num_prim_volume integer not null ,
    volume_cubico decimal(17,6) not null ,
    usu_incl_nf char(8) not null ,
    dat_hor_emissao datetime year to second not null ,
    dat_hor_saida datetime year to second,
    dat_hor_entrega datetime year to second,
    contato_entrega char(40),
    dat_hor_cancel datetime year to second,
    motivo_cancel smallint,
    usu_canc_nf char(8),
    sit_impressao char(1) not null ,
    val_frete_rodov decimal(17,2) not null ,
    val_seguro_rodov decimal(17,2) not null ,
    val_fret_consig decimal(17,2) not null ,
    val_segr_consig decimal(17,2) not null ,
    val_frete_cliente decimal(17,2) not null ,
    val_seguro_cliente decimal(17,2) not null ,
    val_desc_merc decimal(17,2) not null ,
    val_desc_nf decimal(17,2) not null ,
    val_desc_duplicata decimal(17,2) not null ,
    val_acre_merc decimal(17,2) not null ,
    val_acre_nf decimal(17,2) not null ,
    val_acre_duplicata decimal(17,2) not null ,
    val_mercadoria decimal(17,2) not null ,
    val_duplicata decimal(17,2) not null ,
    val_nota_fiscal decimal(17,2) not null ,
    tip_venda decimal(2,0),
    primary key (empresa,trans_nota_fiscal)  constraint "informix".pk_fatmestre
  );

-- source: ivohb/projetos-4GL:102/Fame/Docs/php/lt1200.com.br/programas/fame/lt1200_faixas_comis.sql
{ TABLE "admlog".lt1200_faixas_comis row size = 31 number of columns = 4 index size = 37 }
create table "admlog".lt1200_faixas_comis 
  (
    faixa integer not null ,
    pct_ini decimal(16,2) not null ,
    pct_fin decimal(16,2) not null ,
    pct_sal decimal(16,2) not null 
  );

-- source: ivohb/projetos-4GL:102/Albras/Scripit/estrut_tmp_304.sql
{ TABLE "admlog".estrut_tmp_304 row size = 47 number of columns = 7 index size = 0 }
create table "admlog".estrut_tmp_304 
  (
    num_seq integer,
    cod_item_pai char(15),
    cod_item char(15),
    tip_item char(1),
    qtd_prodcomp decimal(14,7),
    gerar char(2),
    explodiu char(1)
  );

-- source: jcasanov/fobos:PRODUCCION/ACTIVOS/sql/actt012.sql
{ TABLE "fobos".actt012 row size = 102 number of columns = 17 index size = 163 }
create table "fobos".actt012 
  (
    a12_compania integer not null ,
    a12_codigo_tran char(2) not null ,
    a12_numero_tran integer not null ,
    a12_codigo_bien integer not null ,
    a12_referencia varchar(30),
    a12_locali_ori smallint not null ,
    a12_depto_ori smallint not null ,
    a12_locali_dest smallint,
    a12_depto_dest smallint,
    a12_porc_deprec decimal(4,2),
    a12_porc_reval decimal(4,2),
    a12_valor_mb decimal(12,2) not null ,
    a12_valor_ma decimal(12,2) not null ,
    a12_tipcomp_gen char(2),
    a12_numcomp_gen char(8),
    a12_usuario varchar(10,5) not null ,
    a12_fecing datetime year to second not null 
  );

-- source: jcasanov/fobos:PRODUCCION/TALLER/sql/reporte_komatsu/talt023.sql
{ TABLE "fobos".talt023 row size = 471 number of columns = 53 index size = 328 }
create table "fobos".talt023 
  (
    t23_compania integer not null ,
    t23_localidad smallint not null ,
    t23_orden integer not null ,
    t23_estado char(1) not null ,
    t23_tipo_ot char(1) not null ,
    t23_subtipo_ot char(1) not null ,
    t23_descripcion varchar(120,60),
    t23_cod_cliente integer,
    t23_nom_cliente varchar(40,20) not null ,
    t23_tel_cliente char(10),
    t23_codcli_est integer,
    t23_numpre integer,
    t23_valor_tope decimal(11,2),
    t23_seccion smallint not null ,
    t23_cod_asesor smallint not null ,
    t23_cod_mecani smallint not null ,
    t23_moneda char(2) not null ,
    t23_paridad decimal(16,9) not null ,
    t23_precision smallint not null ,
    t23_fecini date not null ,
    t23_fecfin date not null ,
    t23_cont_cred char(1) not null ,
    t23_porc_impto decimal(4,2) not null ,
    t23_modelo char(15) not null ,
    t23_chasis char(25) not null ,
    t23_placa char(10) not null ,
    t23_color char(15) not null ,
    t23_kilometraje integer,
    t23_orden_cheq integer,
    t23_val_mo_tal decimal(11,2) not null ,
    t23_val_mo_ext decimal(11,2) not null ,
    t23_val_mo_cti decimal(11,2) not null ,
    t23_val_rp_tal decimal(11,2) not null ,
    t23_val_rp_ext decimal(11,2) not null ,
    t23_val_rp_cti decimal(11,2) not null ,
    t23_val_rp_alm decimal(11,2) not null ,
    t23_val_otros1 decimal(11,2) not null ,
    t23_val_otros2 decimal(11,2) not null ,
    t23_por_mo_tal decimal(4,2) not null ,
    t23_por_rp_tal decimal(4,2) not null ,
    t23_por_rp_alm decimal(4,2) not null ,
    t23_vde_mo_tal decimal(10,2) not null ,
    t23_vde_rp_tal decimal(10,2) not null ,
    t23_vde_rp_alm decimal(10,2) not null ,
    t23_tot_bruto decimal(12,2) not null ,
    t23_tot_dscto decimal(11,2) not null ,
    t23_val_impto decimal(11,2) not null ,
    t23_tot_neto decimal(12,2) not null ,
    t23_fec_cierre datetime year to second,
    t23_num_factura decimal(15,0),
    t23_fec_factura datetime year to second,
    t23_usuario varchar(10,5) not null ,
    t23_fecing datetime year to second not null ,
    
    check (t23_estado IN ('A' ,'C' ,'F' ,'E' ,'D' )),
    
    check (t23_precision IN (0 ,1 ,2 )),
    
    check (t23_cont_cred IN ('C' ,'R' ))
  );

-- source: alexisrom/SIGESVI:sql/dbexport/sigesvi.exp/sigesvi.sql
{ TABLE "informix".sucursal row size = 71 number of columns = 6 index size = 9 }
create table "informix".sucursal 
  (
    id_sucursal serial not null ,
    nombre varchar(20) not null ,
    direccion varchar(20) not null ,
    departamento varchar(20) not null ,
    proveedor "informix".boolean 
        default 'f',
    activo "informix".boolean 
        default 't',
    primary key (id_sucursal) 
  );

-- source: alexisrom/SIGESVI:sql/dbexport/sigesvi.exp/sigesvi.sql
{ TABLE "informix".especificacion_de_producto row size = 330 number of columns = 8 index size = 9 }
create table "informix".especificacion_de_producto 
  (
    id_eproducto serial not null ,
    nombre varchar(30) not null ,
    descripcion varchar(200) not null ,
    precio integer not null ,
    unidad_medida varchar(10) not null ,
    categoria varchar(20) not null ,
    foto byte,
    activo "informix".boolean 
        default 't',
    
    check (unidad_medida IN ('Kg' ,'g' ,'L' ,'mL' )),
    
    check (categoria IN ('Tinto' ,'Blanco' ,'Rosado' )),
    primary key (id_eproducto) 
  );

-- source: alexisrom/SIGESVI:sql/dbexport/sigesvi.exp/sigesvi.sql
{ TABLE "informix".transacciones row size = 17 number of columns = 4 index size = 18 }
create table "informix".transacciones 
  (
    id_transaccion serial not null ,
    id_sucursal integer not null ,
    fecha_hora datetime year to minute not null ,
    activo "informix".boolean 
        default 't',
    primary key (id_transaccion) 
  );

-- source: alexisrom/SIGESVI:sql/dbexport/sigesvi.exp/sigesvi.sql
{ TABLE "informix".alarma row size = 217 number of columns = 5 index size = 13 }
create table "informix".alarma 
  (
    id_produccion integer not null ,
    id_etapa integer not null ,
    fecha date not null ,
    duracion integer 
        default 1,
    mensaje varchar(200),
    primary key (id_produccion,id_etapa) 
  );

-- source: alexisrom/SIGESVI:sql/dbexport/sigesvi.exp/sigesvi.sql
{ TABLE "informix".tipo_cepa row size = 41 number of columns = 3 index size = 35 }
create table "informix".tipo_cepa 
  (
    id_tipo_cepa serial not null ,
    nombre varchar(20) not null ,
    tipo varchar(15) not null ,
    unique (nombre) ,
    
    check (tipo IN ('Tinto' ,'Rosado' ,'Blanco' )),
    primary key (id_tipo_cepa) 
  );

-- source: alexisrom/SIGESVI:sql/dbexport/sigesvi.exp/sigesvi.sql
{ TABLE "informix".funcionario row size = 190 number of columns = 10 index size = 18 }
create table "informix".funcionario 
  (
    cedula integer not null ,
    id_sucursal integer not null ,
    nombre varchar(30) not null ,
    apellido varchar(30) not null ,
    direccion varchar(40) not null ,
    usuario varchar(20) not null ,
    contrasena varchar(20) not null ,
    cargo varchar(25) not null ,
    telefono varchar(8),
    activo "informix".boolean 
        default 't',
    
    check ((cedula >= 4000000 ) AND (cedula <= 7000000 ) ),
    
    check (cargo IN ('Gerente General' ,'Gerente Sucursal' ,'Administrativo' ,'Asesor Profesional' ,'Enologo' )),
    primary key (cedula) 
  );

-- source: alexisrom/SIGESVI:sql/dbexport/sigesvi.exp/sigesvi.sql
{ TABLE "informix".logs row size = 60 number of columns = 2 index size = 9 }
create table "informix".logs 
  (
    id_log serial not null ,
    informacion text not null ,
    primary key (id_log) 
  );

-- source: JorgeGarcia20/informix_extractor:test.exp/test.sql
{ TABLE table1 row size = 36 number of columns = 4 index size = 0 }
create table table1 
  (
    id integer,
    column1 varchar(20),
    column2 date,
    column3 decimal(12,4)
  );

-- source: 827labs/sigba_sql:tercera/sigba_dev.exp/sigba_dev.sql
{ TABLE "informix".cliente row size = 260 number of columns = 10 index size = 9 }
create table "informix".cliente 
  (
    aclaraciondirc text,
    apdirc integer,
    blockdirc varchar(8),
    calledirc varchar(80) not null ,
    ciudadc varchar(20) not null ,
    codpostalc integer not null ,
    id serial not null ,
    motivobaja text,
    nrodirc integer,
    telefonoc varchar(20),
    primary key (id) 
  );

-- source: 827labs/sigba_sql:tercera/sigba_dev.exp/sigba_dev.sql
{ TABLE "informix".persona row size = 840 number of columns = 16 index size = 95 }
create table "informix".persona 
  (
    apellidop varchar(100) not null ,
    ciudadnac varchar(80) not null ,
    fechanac date not null ,
    mail varchar(100) not null ,
    id integer not null ,
    nombrep varchar(100) not null ,
    numdoccony varchar(80),
    numdocp varchar(80) not null ,
    paisdoccony varchar(80),
    paisdocp varchar(80) not null ,
    paisnac varchar(80) not null ,
    sexop char(1) not null ,
    tipodoccony varchar(15),
    tipodocp varchar(15) not null ,
    pinp char(6),
    idp serial not null ,
    unique (numdocp)  constraint "informix".unique_numdocp,
    primary key (idp) 
  );

-- source: 827labs/sigba_sql:tercera/sigba_dev.exp/sigba_dev.sql
{ TABLE "informix".banco row size = 707 number of columns = 16 index size = 0 }
create table "informix".banco 
  (
    direccionb varchar(100) not null ,
    habilitarccpersonas "informix".boolean not null ,
    limiteretirocajerobdependenciaspesos integer not null ,
    limiteretirocajerobisladolares integer not null ,
    limiteretirocajerobislapesos integer not null ,
    logob varchar(255),
    nombrefantasiab varchar(80) not null ,
    rut char(12) not null ,
    razonsocial varchar(80) not null ,
    sitiowebb varchar(90),
    telefonob varchar(50),
    limiteretirocajerobdependenciasdolares integer not null ,
    maxdepositosindeclararpesos integer not null ,
    maxdepositosindeclarardolares integer not null ,
    minimodepositocajapesos integer not null ,
    minimodepositocajadolares integer not null 
  );

-- source: 827labs/sigba_sql:tercera/sigba_dev.exp/sigba_dev.sql
{ TABLE "informix".cotizacionmoneda row size = 21 number of columns = 5 index size = 9 }
create table "informix".cotizacionmoneda 
  (
    idcot serial not null ,
    codmoneda char(3) not null ,
    compra decimal(8,2) not null ,
    venta decimal(8,2) not null ,
    fecha date not null ,
    primary key (idcot) 
  );

-- source: 827labs/sigba_sql:tercera/sigba_dev.exp/sigba_dev.sql
{ TABLE "informix".debitoautomatico row size = 274 number of columns = 8 index size = 9 }
create table "informix".debitoautomatico 
  (
    numdeb serial not null ,
    empresa varchar(100) not null ,
    asunto varchar(100) not null ,
    idcuenta integer not null ,
    telempresa varchar(50),
    diacobro integer not null ,
    monto decimal(8,2) not null ,
    moneda varchar(3) not null ,
    primary key (numdeb) 
  );

-- source: ivohb/projetos-4GL:102/polimetri/scripts/port_des_polimetri.sql
{ TABLE "admlog".port_des_polimetri row size = 6 number of columns = 3 index size = 11 }
create table "admlog".port_des_polimetri 
  (
    cod_empresa char(2) not null constraint "toni".n5853_44416,
    cod_portador decimal(4,0) not null constraint "toni".n5853_44417,
    ies_tip_portador char(1) not null constraint "toni".n5853_44418
  );

-- source: ivohb/projetos-4GL:102/polimetri/scripts/proc_apont_man912.sql
{ TABLE "admlog".proc_apont_man912 row size = 7 number of columns = 3 index size = 0 }
create table "admlog".proc_apont_man912 
  (
    processando char(1) not null ,
    hor_ini datetime hour to second,
    cod_empresa char(2)
  );

-- source: ivohb/projetos-4GL:102/polimetri/scripts/man_ordem_drummer.sql
{ TABLE "admlog".man_ordem_drummer row size = 136 number of columns = 12 index size = 37 }
create table "admlog".man_ordem_drummer 
  (
    empresa char(2) not null ,
    ordem_producao char(30),
    item char(30) not null ,
    dat_recebto date not null ,
    qtd_ordem decimal(12,2) not null ,
    ordem_mps char(30) not null ,
    status_ordem char(1) not null ,
    status_import char(1),
    dat_liberacao date not null ,
    qtd_pecas_boas decimal(12,2) not null ,
    docum char(10),
    num_projeto char(10)
  );

-- source: ivohb/projetos-4GL:102/polimetri/scripts/doc_desc_polimetri.sql
{ TABLE "informix".doc_desc_polimetri row size = 18 number of columns = 4 index size = 19 }
create table "informix".doc_desc_polimetri 
  (
    cod_empresa char(2) not null constraint "informix".n5854_44419,
    num_docum char(10) not null constraint "informix".n5854_44420,
    ies_tip_docum char(2) not null constraint "informix".n5854_44421,
    dat_desc date not null constraint "informix".n5854_44422
  );

-- source: ivohb/projetos-4GL:102/Albras/Scripit/pedido_mrp_304.sql
{ TABLE "admlog".pedido_mrp_304 row size = 14 number of columns = 4 index size = 0 }
create table "admlog".pedido_mrp_304 
  (
    cod_empresa char(2) not null ,
    num_pedido integer not null ,
    num_seq integer not null ,
    num_oc integer not null 
  );

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".talt006 row size = 51 number of columns = 6 index size = 63 }
create table "fobos".talt006 
  (
    t06_compania integer not null ,
    t06_tipord char(1) not null ,
    t06_subtipo char(1) not null ,
    t06_nombre varchar(25,17) not null ,
    t06_usuario varchar(10,5) not null ,
    t06_fecing datetime year to second not null 
  )  extent size 16 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".gent010 row size = 66 number of columns = 9 index size = 85 }
create table "fobos".gent010 
  (
    g10_compania integer not null ,
    g10_tarjeta integer not null ,
    g10_cod_tarj char(2) not null ,
    g10_cont_cred char(1) not null ,
    g10_estado char(1) not null ,
    g10_nombre varchar(30,15) not null ,
    g10_codcobr integer,
    g10_usuario varchar(10,5) not null ,
    g10_fecing datetime year to second not null ,
    
    check (g10_estado IN ('A' ,'B' )) constraint "fobos".ck_01_gent010
  )  extent size 16 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".talt009 row size = 51 number of columns = 8 index size = 85 }
create table "fobos".talt009 
  (
    t09_compania integer not null ,
    t09_codtarea char(12) not null ,
    t09_dificultad smallint not null ,
    t09_puntos smallint not null ,
    t09_valor_mb decimal(9,2) not null ,
    t09_valor_ma decimal(9,2) not null ,
    t09_usuario varchar(10,5) not null ,
    t09_fecing datetime year to second not null 
  )  extent size 16 next size 16 lock mode row;

-- source: jcasanov/fobos:PRODUCCION/BASE_INI/base_ini.exp/base_ini.sql
{ TABLE "fobos".fobos row size = 105 number of columns = 8 index size = 0 }
create table "fobos".fobos 
  (
    fb_aplicativo char(10) not null ,
    fb_descripcion char(35) not null ,
    fb_version char(10) not null ,
    fb_fecha_prod date not null ,
    fb_separador char(1) not null ,
    fb_dir_fobos char(40),
    fb_usar_fechasist char(1) not null ,
    fb_fechasist date
  )  extent size 16 next size 16 lock mode row;

-- source: EzequielMelogno/desuru:admsh/administracionRespaldos/desuru.exp/desuru.sql
{ TABLE "informix".resultado_analisis row size = 235 number of columns = 8 index size = 70 }
create table "informix".resultado_analisis 
  (
    cod integer not null ,
    empleado varchar(8,8) not null ,
    paciente varchar(8,8) not null ,
    fecha_entrevista datetime minute to minute not null ,
    diagnostico integer not null ,
    solicitud integer not null ,
    detalles varchar(200,200) not null ,
    fecha datetime minute to minute not null ,
    primary key (cod,empleado,paciente,fecha_entrevista,diagnostico,solicitud)  constraint 
              "informix".resultadoanalprimary
  );

-- source: alexisrom/SIGESVI:sql/dbexport/sigesvi.exp/sigesvi.sql
{ TABLE "informix".produccion row size = 26 number of columns = 7 index size = 27 }
create table "informix".produccion 
  (
    id_produccion serial not null ,
    id_sucursal integer not null ,
    id_eproducto integer not null ,
    fecha_inicio date not null ,
    fecha_fin date not null ,
    cantidad integer not null ,
    activo "informix".boolean 
        default 't',
    
    check (fecha_inicio < fecha_fin ),
    primary key (id_produccion) 
  );
