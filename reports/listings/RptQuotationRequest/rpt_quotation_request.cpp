// Request for quotation: for every selected supplier a letter on the company's
// letterhead with the supplier's data and contact and the items of the input
// budget (the layout's own query rows); each supplier's letter ends a page.
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/report/imagens.h"

namespace {

constexpr int kSecaoFornecedor = 8;              // supplier block and item headings
constexpr int kSecaoItem = 9;                    // an item line other than the last
constexpr int kSecaoUltimoItem = 10;             // the last item line
constexpr int kSecaoFechamento = 11;             // closing request and signature line

// Numbers of the database's own codes.
constexpr int kEnderecoPadrao = 1;               // PessoaEndereco.Padrao of the default address
constexpr int kContatoFoneComercial = 3;         // PessoaContato.TipoContato
constexpr int kContatoFax = 5;
constexpr int kContatoEmail = 8;
constexpr int kRelacaoContato = 3;               // PessoaRelacao.TipoRelacionamento of the contact person

const char* const kImagemLogo = "imgLogoEmpresa";

}  // namespace

class TnMapperFornecedor : public TnMapperBase {
 public:
  NCAMPO(CodigoPessoaFin);
  NCAMPO(Nome);
  NCAMPO(InscFederal);
  NCAMPO(Fone);
  NCAMPO(Fax);
  NCAMPO(Email);
  NCAMPO(Contato);
  NCAMPO(DescEndereco);
};

class TRptQuotationRequest : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.0.0.0]"; }
  void ImprimirInterno() override;
  void DoParamChange(TObject*, TnpqParamItem*) override {}
  void DoParamEnter(TObject*, TnpqParamItem*) override {}
  void DoParamExit(TObject*, TnpqParamItem*) override {}

 private:
  void CarregarParametros();
  std::string MontarSQLFornecedor();
  void CarregarFornecedores();
  void ImprimirEmpresa();
  void ImprimirFornecedor();
  void ImprimirItens();

  TnMapperFornecedor* FFornecedor = nullptr;     // belongs to FCdsFornec
  TnDataSetSQL FCdsFornec;
  int32_t FCodigoEscrit = 0;
  int32_t FCodigoOrcamentoEnt = 0;               // the budget the layout's query selected its items by
  int FRegistro = 0;
  int FTotalRegistro = 0;
  std::string FCodigoPessoaFin;
  std::string FFiltroRelacao;                    // the supplier selection on PR.CodigoPessoaFin
  std::string FFiltroFornecedor;                 // and on PF.CodigoPessoaFin
};

void TRptQuotationRequest::ImprimirInterno() {
  if (!MainDataSet || MainDataSet->IsEmpty()) return;
  CarregarParametros();
  TnDestruirSQLAoSair liberar{&FCdsFornec};
  CarregarFornecedores();
  if (FCdsFornec->IsEmpty()) return;
  ImprimirEmpresa();
  FRegistro = 0;
  FTotalRegistro = MainDataSet->RecordCount() * FCdsFornec->RecordCount();
  for (FCdsFornec->First(); !FCdsFornec->Eof(); FCdsFornec->Next()) {
    ImprimirFornecedor();
    ImprimirItens();
    RepPrintSection(kSecaoFechamento);
    RepEndOfPage(true);
  }
}

// An empty selection would name every person of the database, companies and
// owners included: a request goes only to the suppliers the user names.
void TRptQuotationRequest::CarregarParametros() {
  TnpqPowerParam* p = Params();
  FCodigoEscrit = p->Param("pCodigoEscrit")->GetAsInteger();
  FCodigoOrcamentoEnt = p->Param("pCodigoOrcamentoEntrada")->GetAsInteger();
  TnpqParamItem* fornecedores = p->Param("pCodigoPessoaFin");
  FCodigoPessoaFin = Trim(RepParam("pCodigoPessoaFin"));
  if (FCodigoPessoaFin.empty()) throw EnParam(fornecedores, "Informe ao menos um fornecedor.");
  FFiltroRelacao = FiltroParametro(fornecedores, {"PR.CodigoPessoaFin"}, {1}, false);
  FFiltroFornecedor = FiltroParametro(fornecedores, {"PF.CodigoPessoaFin"}, {1}, false);
}

// One row per supplier: one default address, the smallest value of each contact
// type and the related person with the smallest code, so no supplier gets two letters.
std::string TRptQuotationRequest::MontarSQLFornecedor() {
  return "select PF.CodigoPessoaFin , PF.Nome , PF.InscFederal , FO.Valor Fone , FX.Valor Fax , MA.Valor Email , "
         "CO.Nome Contato , VE.ENDERECO1 || ', ' || VE.ENDERECO2 DescEndereco "
         "from PessoaFinanceiro PF "
         "left join (select PE.CodigoPessoaFin, min(PE.CodigoEndereco) CodigoEndereco from PessoaEndereco PE "
         "where PE.Padrao = :pPadrao group by PE.CodigoPessoaFin) PE on PE.CodigoPessoaFin = PF.CodigoPessoaFin "
         "left join VEndereco VE on VE.CODIGOENDERECO = PE.CODIGOENDERECO "
         "left join (select C.CODIGOPESSOAFIN, min(C.VALOR) Valor from PESSOACONTATO C "
         "where C.TIPOCONTATO = :pFoneComercial group by C.CODIGOPESSOAFIN) FO on FO.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN "
         "left join (select C.CODIGOPESSOAFIN, min(C.VALOR) Valor from PESSOACONTATO C "
         "where C.TIPOCONTATO = :pFax group by C.CODIGOPESSOAFIN) FX on FX.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN "
         "left join (select C.CODIGOPESSOAFIN, min(C.VALOR) Valor from PESSOACONTATO C "
         "where C.TIPOCONTATO = :pEmailEmpresa group by C.CODIGOPESSOAFIN) MA on MA.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN "
         "left join (select PR.CODIGOPESSOAFIN, min(PR.CODIGOPESSOARELACIONADA) CodigoContato from PESSOARELACAO PR "
         "where " + FFiltroRelacao + "and PR.TIPORELACIONAMENTO = :pProprietario " +
         "group by PR.CODIGOPESSOAFIN) PR2 " +
         "on PR2.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN " +
         "left join PessoaFinanceiro CO " +
         "on CO.CODIGOPESSOAFIN = PR2.CodigoContato " +
         "where " + FFiltroFornecedor +
         "order by PF.CodigoPessoaFin";
}

void TRptQuotationRequest::CarregarFornecedores() {
  FCdsFornec = ExecutarSQL(MontarSQLFornecedor(),
                           {kEnderecoPadrao, kContatoFoneComercial, kContatoFax, kContatoEmail, kRelacaoContato}, true,
                           false, -1, {}, nullptr, true);
  FFornecedor = Mapper<TnMapperFornecedor>(FCdsFornec.get());
}

// The letterhead: a company without a row leaves its values empty and no logo.
void TRptQuotationRequest::ImprimirEmpresa() {
  TnDataSetSQL empresa;
  TnDestruirSQLAoSair liberar{&empresa};
  empresa = ExecutarSQL(
      "select ES.LOGO , PF.NOME , PF.INSCFEDERAL , VE.ENDERECO1 || ', ' || VE.ENDERECO2 DescEndereco , "
      "FO.VALOR Fone , MA.VALOR Email from PessoaFinanceiro PF "
      "join Escritorio ES on ES.CODIGOESCRIT = PF.CODIGOPESSOAFIN "
      "left join PessoaEndereco PE on PE.CodigoPessoaFin = PF.CodigoPessoaFin and PE.Padrao = :pPadrao "
      "left join VEndereco VE on VE.CODIGOENDERECO = PE.CODIGOENDERECO "
      "left join PESSOACONTATO FO on FO.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN and FO.TIPOCONTATO = :pFoneComercial "
      "left join PESSOACONTATO MA on MA.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN and MA.TIPOCONTATO = :pEmailEmpresa "
      "where PF.CodigoPessoaFin = :pCodigoEscrit",
      {kEnderecoPadrao, kContatoFoneComercial, kContatoEmail, FCodigoEscrit}, true, false, -1, {}, nullptr, true);
  const bool temEmpresa = !empresa->IsEmpty();
  auto texto = [&](const char* campo) { return temEmpresa ? empresa->FieldByName(campo)->AsString() : std::string(); };
  TnpqPowerParam* p = Params();
  p->SetValues("pNomeEmpresa", texto("NOME"));
  p->SetValues("pInscFedEmpresa", texto("INSCFEDERAL"));
  p->SetValues("pEnderecoEmpresa", texto("DESCENDERECO"));
  p->SetValues("pFoneEmpresa", texto("FONE"));
  p->SetValues("pEmailEmpresa", texto("EMAIL"));
  Report->ImageByName(kImagemLogo)->SetImage(temEmpresa ? CarregarLogoEmpresa(Report, empresa->FieldByName("LOGO")) : nullptr);
}

void TRptQuotationRequest::ImprimirFornecedor() {
  TnpqPowerParam* p = Params();
  p->SetValues("pNomeFornec", FFornecedor->CodigoPessoaFin->AsString() + " " + FFornecedor->Nome->AsString());
  p->SetValues("pInscFedFornec", FFornecedor->InscFederal->AsString());
  p->SetValues("pEnderecoFornec", FFornecedor->DescEndereco->AsString());
  p->SetValues("pFoneFaxFornec", FFornecedor->Fone->AsString() + TemDados(" / ", FFornecedor->Fax->AsString(), ""));
  p->SetValues("pEmailFornec", FFornecedor->Email->AsString());
  p->SetValues("pContatoFornec", FFornecedor->Contato->AsString());
  RepPrintSection(kSecaoFornecedor);
}

void TRptQuotationRequest::ImprimirItens() {
  TnpqPowerParam* p = Params();
  const int itens = MainDataSet->RecordCount();
  for (MainDataSet->First(); !MainDataSet->Eof(); MainDataSet->Next()) {
    p->SetValues("pSequencia", MainDataSet->FieldByName("SeqInsumo")->AsString());
    p->SetValues("pCodigoInsumo", MainDataSet->FieldByName("CodigoInsumo")->AsString());
    p->SetValues("pDescInsumo", MainDataSet->FieldByName("DescrInsumo")->AsString());
    p->SetValues("pDescUnidadeMedida", MainDataSet->FieldByName("DescrUnidade")->AsString());
    p->SetValues("pQuantidade", MainDataSet->FieldByName("Quantidade")->AsString());
    RepPrintSection(MainDataSet->RecNo() == itens ? kSecaoUltimoItem : kSecaoItem);
    Report->CSLShowProgress(++FRegistro, FTotalRegistro);
  }
}

RPT_REGISTRAR_RELATORIO(TRptQuotationRequest)
