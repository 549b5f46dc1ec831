#include "map_text.hpp"

namespace zr {

std::string priceCatalogMapBody() {
    static const char* const kLines[] = {
        "X12TRANSACTIONTYPE=832",
        "VERSION=5010",
        "KEYFIELD=HL,,,22",
        "KEYLINEFIELD=SV2",
        "FIELD=CATNUM,16,BCT,,,3",
        "FIELD=EFFECTIVEDT,16,DTM,007,2,3,,CATNUM",
        "FIELD=SETTLEMENTDT,16,DTM,044,2,3,,CATNUM",
        "FIELD=CONFIRMDT,16,DTM,055,2,3,,CATNUM",
        "FIELD=INQUIRYDT,16,DTM,089,2,3,,CATNUM",
        "FIELD=CREATEDT,16,DTM,097,2,3,,CATNUM",
        "FIELD=SHIPTOID,16,N1,ST,2,5,,CATNUM",
        "FIELD=SUPPLIERID,16,N1,SU,2,5,,CATNUM",
    };
    std::string out;
    for (const char* line : kLines) out.append(line).append("\r\n");
    return out;
}

std::string priceCatalogMapHeader(CatalogHeaderFor writer, const std::string& mapName, const std::string& date,
                                  const std::string& time) {
    const bool generator = writer == CatalogHeaderFor::Generator;
    const std::string stars(50, '*');
    std::string out;
    auto line = [&out](const std::string& s) { out += s + "\r\n"; };
    line(generator ? "********** Zarn Software   Parser Map" : "********** Zarn Software Parser Map");
    line("********** Generated :" + date + " " + time);
    line("********** A starting map for the 832 Price/Sales Catalog; lines beginning with * are comments");
    if (!generator) line("************************** 832 Price/Sales Catalog");
    line(stars);
    line("********* File Name : " + mapName);
    line("");
    return out;
}

}  // namespace zr
