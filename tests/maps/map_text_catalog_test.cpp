// The 832 Price/Sales Catalog map: its fixed body and the two comment
// blocks put in front of it.
#include <gtest/gtest.h>

#include "map_file.hpp"
#include "map_text.hpp"

namespace {

TEST(PriceCatalogMap, TheBodyIsFixed) {
    const std::string body = zr::priceCatalogMapBody();
    EXPECT_EQ(body,
              "X12TRANSACTIONTYPE=832\r\nVERSION=5010\r\nKEYFIELD=HL,,,22\r\nKEYLINEFIELD=SV2\r\n"
              "FIELD=CATNUM,16,BCT,,,3\r\nFIELD=EFFECTIVEDT,16,DTM,007,2,3,,CATNUM\r\n"
              "FIELD=SETTLEMENTDT,16,DTM,044,2,3,,CATNUM\r\nFIELD=CONFIRMDT,16,DTM,055,2,3,,CATNUM\r\n"
              "FIELD=INQUIRYDT,16,DTM,089,2,3,,CATNUM\r\nFIELD=CREATEDT,16,DTM,097,2,3,,CATNUM\r\n"
              "FIELD=SHIPTOID,16,N1,ST,2,5,,CATNUM\r\nFIELD=SUPPLIERID,16,N1,SU,2,5,,CATNUM\r\n");
    const zr::MapFile map = zr::parseMapText(body);
    EXPECT_EQ(map.fields.size(), 8u);
    EXPECT_TRUE(map.templates.empty());
}

TEST(PriceCatalogMap, EachWriterHasItsHeader) {
    const std::string stars(50, '*');
    EXPECT_EQ(zr::priceCatalogMapHeader(zr::CatalogHeaderFor::Generator, "005050.cfg", "12/11/26", "10:20:30"),
              "********** Zarn Software   Parser Map\r\n********** Generated :12/11/26 10:20:30\r\n"
              "********** A starting map for the 832 Price/Sales Catalog; lines beginning with * are comments\r\n" +
                  stars + "\r\n********* File Name : 005050.cfg\r\n\r\n");
    EXPECT_EQ(zr::priceCatalogMapHeader(zr::CatalogHeaderFor::DefaultCreator, "x.cfg", "d", "t"),
              "********** Zarn Software Parser Map\r\n********** Generated :d t\r\n"
              "********** A starting map for the 832 Price/Sales Catalog; lines beginning with * are comments\r\n"
              "************************** 832 Price/Sales Catalog\r\n" +
                  stars + "\r\n********* File Name : x.cfg\r\n\r\n");
}

}  // namespace
