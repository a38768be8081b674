// The XML check the page tests rely on must refuse what a browser would refuse.
#include "xml_di_prova.h"

#include <gtest/gtest.h>

TEST(AnalizzaXml, AcceptsWellFormedAndRefusesBrokenDocuments) {
  struct caso { const char* testo; bool valido; };
  const caso casi[] = {
      {"<?xml version=\"1.0\"?>\n<a x='1' y=\"&lt;&#233;&#xE9;\"><b/>t&amp;u<!-- c --></a>\n", true},
      {"<a><![CDATA[<x>]]></a>", true},
      {"<a>", false},                          // not closed
      {"<a><b></a></b>", false},               // crossed
      {"<a></a><b/>", false},                  // two roots
      {"<a>&nbsp;</a>", false},                // entity XML does not define
      {"<a>R&D</a>", false},                   // bare ampersand
      {"<a x=\"<\"/>", false},                 // '<' in a value
      {"<a x=1/>", false},                     // unquoted value
      {"<a x=\"1\" x=\"2\"/>", false},         // attribute twice
      {"<a x=\"1\"y=\"2\"/>", false},          // attributes run together
      {"<a>\x01</a>", false},                  // control character
      {"<a>&#1;</a>", false},                  // reference to one
      {"<a>\xE8</a>", false},                  // a Windows-1252 byte, not UTF-8
      {"<a>\xC0\xA0</a>", false},              // overlong UTF-8
      {"<a>\xEF\xBF\xBE</a>", false},          // U+FFFE
      {"<a>]]></a>", false},
      {"<a><!-- a -- b --></a>", false},
      {"text<a/>", false},
  };
  for (const caso& c : casi) EXPECT_EQ(prova::analizza_xml(c.testo).valido, c.valido) << c.testo;
}

TEST(AnalizzaXml, KeepsElementsAttributesAndText) {
  prova::documento_xml d = prova::analizza_xml("<svg><g id=\"x\"><text class=\"k\">A &amp; B</text></g></svg>");
  ASSERT_TRUE(d.valido) << d.errore;
  ASSERT_EQ(d.elementi.size(), 3u);
  EXPECT_EQ(d.elementi[2].nome, "text");
  EXPECT_EQ(*d.elementi[2].attributo("class"), "k");
  EXPECT_EQ(d.elementi[2].testo, "A & B");
  EXPECT_EQ(d.elementi[2].genitore, 1);
  EXPECT_EQ(*d.elementi[1].attributo("id"), "x");
}
