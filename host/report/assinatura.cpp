#include "host/report/assinatura.h"

#include "host/data/sql.h"
#include "host/report/base_dll.h"

bool ImprimirAssinatura(TnrwBaseDll& relatorio, int codigoPessoa, int secao) {
  if (codigoPessoa <= 0) return false;
  const nDMSQLDataSet::TnNomeInscricao pessoa = nDMSQLDataSet::PegarNomeInscricao(codigoPessoa);
  relatorio.Params()->SetValues("R1", pessoa.Nome);
  relatorio.Params()->SetValues("R2", pessoa.InscFederal);
  relatorio.RepPrintSection(secao);
  return true;
}
