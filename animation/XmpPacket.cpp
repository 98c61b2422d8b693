#include "XmpPacket.h"

namespace {

// Text as an XML attribute value: markup characters and the white space that attribute
// normalisation would turn into spaces are written as references.
std::string Escaped(const std::string& Text) {
    std::string Out;
    for (const char C : Text) {
        switch (C) {
            case '&': Out += "&amp;"; break;
            case '<': Out += "&lt;"; break;
            case '>': Out += "&gt;"; break;
            case '"': Out += "&quot;"; break;
            case '\n': Out += "&#10;"; break;
            case '\r': Out += "&#13;"; break;
            case '\t': Out += "&#9;"; break;
            default: Out += C;
        }
    }
    return Out;
}

}  // namespace

std::string XmpPacket(const TPngTextChunks& Texts) {
    std::string Packet = "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                         "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                         " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                         "  <rdf:Description rdf:about=\"\" xmlns:stereogramm=\"";
    Packet += StereogrammXmpNamespace;
    Packet += "\"";
    for (const auto& [Key, Value] : Texts) Packet += "\n   stereogramm:" + Key + "=\"" + Escaped(Value) + "\"";
    return Packet + "/>\n </rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"r\"?>";
}
