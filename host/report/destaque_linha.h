#pragma once
// Summary lines printed bold: the labels of one section switched per line.
class TnrwReport;

// Every label (TnpqLabel) of section secao, in layout order, gets exactly the bold style
// when negrito is true and exactly no style otherwise; other objects stay as they are.
void DestacarRotulosSecao(TnrwReport& report, int secao, bool negrito);
