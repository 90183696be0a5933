// What the browser and load tests share: Playwright from the build tree, a PDF's text.
import { createRequire } from "node:module";
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

export function playwright() {
  return createRequire(join(process.env.RPT_NODE_MODULOS, "package.json"))("playwright-core");
}

// pdftotext of the PDF's bytes.
export function textoDoPdf(bytes) {
  const pasta = mkdtempSync(join(tmpdir(), "rpt-web-pdf-"));
  try {
    const arquivo = join(pasta, "r.pdf");
    writeFileSync(arquivo, bytes);
    return execFileSync("pdftotext", ["-layout", arquivo, "-"], { encoding: "utf8" });
  } finally {
    rmSync(pasta, { recursive: true, force: true });
  }
}

export function conferir(condicao, mensagem) {
  if (!condicao) throw new Error(mensagem);
}
