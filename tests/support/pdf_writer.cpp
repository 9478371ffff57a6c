#include "pdf_writer.h"

#include <cstdio>

namespace zandor::test {

std::string plainPdf(const std::vector<std::string>& pages) {
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    const auto object = [&](const std::string& body) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
    };
    // 1: catalog, 2: page tree, 3: font, then a page and its contents each.
    const std::size_t count = pages.size();
    object("<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (std::size_t i = 0; i < count; ++i) {
        kids += std::to_string(4 + 2 * i) + " 0 R ";
    }
    object("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(count) + " >>");
    object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    for (std::size_t i = 0; i < count; ++i) {
        object(
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << "
            "/F1 3 0 R >> >> /Contents " +
            std::to_string(5 + 2 * i) + " 0 R >>");
        const std::string stream = "BT /F1 12 Tf 72 720 Td (" + pages[i] + ") Tj ET";
        object("<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream +
               "\nendstream");
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        char line[24];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

}  // namespace zandor::test
