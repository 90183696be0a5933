#pragma once
// The signature block that closes several reports: who signs, by name and
// federal tax number.
class TnrwBaseDll;

// When codigoPessoa is above 0: R1 = the person's name, R2 = the federal tax number
// (PESSOAFINANCEIRO, empty when null or absent), then prints secao. True when printed.
bool ImprimirAssinatura(TnrwBaseDll& relatorio, int codigoPessoa, int secao);
