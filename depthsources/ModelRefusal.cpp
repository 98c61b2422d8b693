#include "ModelRefusal.h"

void RefuseModel(TReadFailure Failure, const std::string& Name, const std::string& Format, const std::string& Detail) {
    std::string Message;
    switch (Failure) {
        case TReadFailure::NotAPicture: Message = "Keine lesbare Modelldatei: "; break;
        case TReadFailure::Damaged: Message = "Modelldatei ist beschädigt: "; break;
        case TReadFailure::Unsupported: Message = "Modelldatei nutzt nicht unterstützte Merkmale: "; break;
        case TReadFailure::TooLarge: Message = "Modell ist zu groß: "; break;
    }
    throw EInvalidGraphic(Message + Name, Failure, Format, Detail);
}

void RefuseEmptyModel(const std::string& Name, const std::string& Format, const std::string& Detail) {
    throw EInvalidGraphic("Modell enthält keine Dreiecke: " + Name, TReadFailure::Damaged, Format, Detail);
}
