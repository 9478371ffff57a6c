#!/usr/bin/env bash
# Makes the documents the document tests read, from the flat OpenDocument
# sources beside this script, with LibreOffice (headless) as a user's office
# suite would: the letter as .odt, .docx and .pdf (and a .pdf that needs a
# password), the sheet as .ods and .xlsx, the slides as .odp and .pptx.
# Two sealed documents LibreOffice cannot write from the command line are
# made with Python's zipfile from the real ones: an .odt whose content.xml
# is encrypted as ODF encrypts it (its bytes are no XML; the manifest says
# so), and a .docx in the compound-file wrapper Office puts encrypted
# documents in. Run it after changing a source, then commit what it made.
# Needs: libreoffice-writer-nogui libreoffice-calc-nogui libreoffice-impress-nogui python3.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
office() {
  soffice --headless "-env:UserInstallation=file://$work/profile" "$@" >/dev/null 2>&1
}
cd "$here"
for format in odt docx pdf; do office --convert-to "$format" --outdir "$here" letter.fodt; done
for format in ods xlsx; do office --convert-to "$format" --outdir "$here" sheet.fods; done
for format in odp pptx; do office --convert-to "$format" --outdir "$here" slides.fodp; done
office --convert-to \
  'pdf:writer_pdf_Export:{"EncryptFile":{"type":"boolean","value":"true"},"DocumentOpenPassword":{"type":"string","value":"geheim"}}' \
  --outdir "$work" letter.fodt
mv "$work/letter.pdf" "$here/letter-password.pdf"
python3 - "$here" <<'PY'
import os, sys, zipfile
here = sys.argv[1]
source = zipfile.ZipFile(os.path.join(here, "letter.odt"))
with zipfile.ZipFile(os.path.join(here, "letter-encrypted.odt"), "w") as sealed:
    for item in source.infolist():
        data = source.read(item.filename)
        if item.filename in ("content.xml", "styles.xml"):
            # What ODF's encryption leaves: deflated, then AES: bytes of no XML.
            data = bytes((b * 167 + 13 + i * 31) % 256 for i, b in enumerate(data))
        if item.filename == "META-INF/manifest.xml":
            data = data.replace(b'manifest:full-path="content.xml"',
                                b'manifest:full-path="content.xml"><manifest:encryption-data '
                                b'manifest:checksum-type="SHA1/1K" manifest:checksum="x"/'
                                b'></manifest:file-entry><manifest:file-entry '
                                b'manifest:media-type="" manifest:full-path="x"', 1)
        method = zipfile.ZIP_STORED if item.filename == "mimetype" else zipfile.ZIP_DEFLATED
        sealed.writestr(item.filename, data, compress_type=method)
# Office's wrapper of an encrypted document: a compound file, not a zip.
with open(os.path.join(here, "letter-encrypted.docx"), "wb") as sealed:
    sealed.write(b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + bytes(504) +
                 open(os.path.join(here, "letter.docx"), "rb").read())
PY
ls -l "$here"
