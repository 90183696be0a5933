#include "host/report/base_dll.h"

#include <algorithm>

TnrwBaseDll::TnrwBaseDll(TnrwReport* report) : Report(report), MainDataSet(report->MainDataSet()), FDM(report) {
  Report->VincularObjeto(this);
}

TnrwBaseDll::~TnrwBaseDll() { Report->DesvincularObjeto(this); }

std::string TnrwBaseDll::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TnrwBaseDll::CriarListaSectionsParaZebrar() { return {}; }

std::vector<int> TnrwBaseDll::CriarListaSectionsTrocaCor() { return {}; }

void TnrwBaseDll::RepInterno(TnDMReport*) {
  FZebradas = CriarListaSectionsParaZebrar();
  FTrocaCor = CriarListaSectionsTrocaCor();
}

void TnrwBaseDll::DoParamChange(TObject*, TnpqParamItem*) {}
void TnrwBaseDll::DoParamEnter(TObject*, TnpqParamItem*) {}
void TnrwBaseDll::DoParamExit(TObject*, TnpqParamItem*) {}

void TnrwBaseDll::DoZebradoBeforeSection(TObject*, int secao) {
  if (std::find(FZebradas.begin(), FZebradas.end(), secao) != FZebradas.end()) Report->DefinirZebrado(true);
}

void TnrwBaseDll::DepoisConfigurar(TnFormParametros*) {}
void TnrwBaseDll::AntesConfigurar(TnFormParametros*) {}

std::string TnrwBaseDll::RepParam(const std::string& nome) { return Params()->Param(nome)->GetAsString(); }
