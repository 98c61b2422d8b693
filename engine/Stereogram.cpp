#include "Stereogram.h"

#include <algorithm>

#include "Application.h"
#include "Bitmap.h"
#include "Clock.h"
#include "Exception.h"
#include "ExtendedMath.h"
#include "Random.h"

using ExtendedMath::Round;
using ExtendedMath::Saturate;
using ExtendedMath::Trunc;
using ExtendedMath::UsableDivisor;

namespace {

constexpr int kMinSide = 1, kDefaultSide = 600, kMaxWidth = 1024, kMaxHeight = 800;
constexpr int kMinDPI = 10;
constexpr long double kEyeDistanceInches = 2.5L;

bool IsTexturedType(TStereoGramType T) { return T == sgtRandomDotTextured || T == sgtTextured; }
bool IsRandomDotType(TStereoGramType T) { return T == sgtFastRandomDot || T == sgtColoredDot; }

int ClampSide(int Value, int Max) { return Value < kMinSide ? kDefaultSide : std::min(Value, Max); }

}  // namespace

TStereogram::TStereogram(TComponent* AOwner) : TComponent(AOwner) { InitDefaults(); }

TStereogram::~TStereogram() { FreeObjects(); }

void TStereogram::InitDefaults() {
    Progress = 0;
    FDepthMap = std::make_unique<TPicture>();
    FMaskMap = std::make_unique<TPicture>();
    FOutputPicture = std::make_unique<TPicture>();
    FOutputBuffer = std::make_unique<TFastDIBTavo>();
    FHeight = 600;
    FWidth = 800;
    FDotIntensity = 50;
    FRandomDotColor = dctBlackWhite;
    FDPI = 72;
    FBlur = blurNone;
    FOversampling = 1;
    FObservDistance = 14.0;
    FMax3Ddepth = 14.0;
    FMin3Ddepth = 7.0;
    UpdateGeometry();
}

void TStereogram::FreeObjects() {
    FDepthMap.reset();
    FMaskMap.reset();
    FOutputPicture.reset();
    FOutputBuffer.reset();
}

// ---- Settings ---------------------------------------------------------------------------

void TStereogram::SetHeight(int Value) {
    FHeight = FStereoType == sgtColoredDot ? FDepthMap->Height() : ClampSide(Value, kMaxHeight);
}

void TStereogram::SetWidth(int Value) {
    // The coloured-dot kind follows the depth map, within what the row tables hold.
    FWidth = FStereoType == sgtColoredDot ? std::min(FDepthMap->Width(), MaxSubWidth) : ClampSide(Value, kMaxWidth);
}

void TStereogram::SetDotIntensity(int Value) { FDotIntensity = std::clamp(Value, 1, 99); }

void TStereogram::SetOversampling(int Value) {
    FOversampling = IsRandomDotType(FStereoType) ? 1 : std::clamp(Value, 1, 8);
}

void TStereogram::SetStereoType(TStereoGramType Value) {
    if (IsRandomDotType(Value)) FOversampling = 1;
    if (Value == sgtColoredDot) {
        SetWidth(FDepthMap->Width());
        SetHeight(FDepthMap->Height());
    }
    FStereoType = Value;
}

void TStereogram::SetDPI(int Value) {
    FDPI = std::max(Value, kMinDPI);
    if (FWidth < FDPI) FDPI = FWidth / 2;
    if (FHeight < FDPI) FDPI = FHeight / 2;
    UpdateGeometry();
}

void TStereogram::SetObservDistance(double Value) {
    FObservDistance = Value;
    UpdateGeometry();
}

void TStereogram::SetMax3Ddepth(double Value) {
    FMax3Ddepth = Value;
    UpdateGeometry();
}

void TStereogram::SetMin3Ddepth(double Value) {
    FMin3Ddepth = Value;
    UpdateGeometry();
}

void TStereogram::SetSeparation(int Value) {
    // Et is truncated here while UpdateGeometry rounds it; the extra pixel of m makes the
    // truncating geometry give Value back.
    const std::int64_t Et = Trunc(static_cast<long double>(FDPI) * kEyeDistanceInches);
    if (Value <= 0 || Value >= Et) return;
    const auto DpiTimesMinusV = static_cast<std::int32_t>(std::uint32_t(FDPI) * std::uint32_t(-Value));
    const long double M = static_cast<long double>(DpiTimesMinusV) * FObservDistance / static_cast<long double>(Value - Et) + 1;
    const long double Depth = static_cast<long double>(static_cast<double>(M / FDPI)) * 1000;
    if (!std::isfinite(Depth) || std::fabs(Depth) >= 9.2e18L) return;  // nothing sensible to store
    FMax3Ddepth = static_cast<double>(static_cast<long double>(static_cast<std::int64_t>(Depth)) / 1000);
    if (FMin3Ddepth > FMax3Ddepth) FMin3Ddepth = FMax3Ddepth - 5.0;
    UpdateGeometry();
}

void TStereogram::SetDepthMap(const TPicture& Value) {
    FDepthMap->Assign(Value);
    if (FWidth < FDepthMap->Width()) SetWidth(FDepthMap->Width());
    if (FHeight < FDepthMap->Height()) SetHeight(FDepthMap->Height());
}

void TStereogram::SetMaskMap(const TPicture& Value) { FMaskMap->Assign(Value); }

// ---- Geometry ---------------------------------------------------------------------------

void TStereogram::UpdateGeometry() {
    using LD = long double;
    FTextureHeight = FMaskMap->Height();
    FRowShift = FDPI / 16;
    FSubWidth = Saturate(std::int64_t(FWidth) * FOversampling);
    FObserver = static_cast<double>(LD(FDPI) * FObservDistance);
    FEyeSep = Round(LD(FDPI) * kEyeDistanceInches);
    FEyeSepSub = Saturate(std::int64_t(FEyeSep) * FOversampling);
    FFarPlane = static_cast<double>(LD(FDPI) * FMax3Ddepth);
    const LD FarDenominator = LD(FFarPlane) + FObserver;
    FPatternWidth = UsableDivisor(FarDenominator) ? Trunc(LD(FEyeSep) * FFarPlane / FarDenominator) : 0;
    const int MaskWidth = FMaskMap->Width();
    if (MaskWidth > 0 && MaskWidth < FPatternWidth && IsTexturedType(FStereoType)) FPatternWidth = MaskWidth;
    FSeparation = FPatternWidth;
    if (FStereoType == sgtRandomDotTextured) FTextureHeight = FPatternWidth;
    FPeriod = Saturate(std::int64_t(FOversampling) * FPatternWidth);
    FStripStart = Saturate(std::int64_t(FSubWidth / 2) - FPeriod / 2);
    FPhase = FPeriod == 0 ? 0 : Saturate(std::int64_t(FPeriod) - FStripStart % FPeriod);
    FNearPlane = static_cast<double>(LD(FDPI) * FMin3Ddepth);
    FDepthLeft = Saturate((std::int64_t(FWidth) - FDepthMap->Width()) / 2);
    FDepthTop = Saturate((std::int64_t(FHeight) - FDepthMap->Height()) / 2);
    switch (FBlur) {
        case blurLight: FBlurDivisor = 15; break;
        case blurMedium: FBlurDivisor = 10; break;
        case blurHeavy: FBlurDivisor = 7; break;
        case blurNone: break;  // keeps its value; nothing reads it without blur
    }
}

namespace {

// Depth in pixels behind the picture plane of grey level Level (0 far, 255 near).
std::int32_t DepthOfLevel(double FarPlane, double NearPlane, int Level) {
    return Trunc(static_cast<long double>(FarPlane) - (static_cast<long double>(FarPlane) - NearPlane) * Level / 256);
}

// Round(Jitter + EyeSepSub × Z / (Z + Observer)), the product taken in integers; a
// divisor of 0 or one that is not finite gives 0.
std::int32_t SeparationOfDepth(long double Jitter, int EyeSepSub, std::int32_t Z, double Observer) {
    const long double Divisor = static_cast<long double>(Z) + Observer;
    if (!UsableDivisor(Divisor)) return 0;
    return Round(Jitter + static_cast<long double>(std::int64_t(EyeSepSub) * Z) / Divisor);
}

}  // namespace

void TStereogram::ResetLinks(TLinkTable& Links, int Count) {
    static constexpr TLinkTable Identity = [] {
        TLinkTable T{};
        for (std::size_t I = 0; I < T.size(); ++I) T[I] = std::uint16_t(I);
        return T;
    }();
    std::copy_n(Identity.begin(), std::clamp(Count, 0, RowTableSize), Links.begin());
}

void TStereogram::BuildDepthTable() {
    for (int Level = 0; Level < 256; ++Level)
        FDepthTable[std::size_t(Level)] = SeparationOfDepth(0, FEyeSepSub, DepthOfLevel(FFarPlane, FNearPlane, Level), FObserver);
}

int TStereogram::JitteredSeparation(int Level) {
    FPixelDepth = DepthOfLevel(FFarPlane, FNearPlane, Level);
    const int Jitter = Random::Below(10) - 5;
    return SeparationOfDepth(static_cast<long double>(Jitter) / FBlurDivisor, FEyeSepSub, FPixelDepth, FObserver);
}

// ---- The run ----------------------------------------------------------------------------

void TStereogram::CheckInputs() const {
    if (FDepthMap->Bitmap().Empty()) throw Exception("Abbildung ist leer");
    if ((FStereoType == sgtColoredDot || FStereoType == sgtTextured) && FMaskMap->Bitmap().Empty())
        throw Exception("Maske ist leer");
    if (IsTexturedType(FStereoType)) {
        if (FPeriod < 1 || FTextureHeight < 1) throw Exception("Tiefenbereich ergibt keinen Abstand");
        if (FStripStart < 0) throw Exception("Abstand ist breiter als das Bild");
        if (FSubWidth > MaxSubWidth) throw Exception("Bild ist zu breit");
    }
    CheckPictureSize(FWidth, FHeight, 24);
}

void TStereogram::Generate() {
    if (FRunning) return;
    // The geometry is computed before the output is touched, so that settings that cannot
    // be drawn are refused while everything is still as it was.
    UpdateGeometry();
    CheckInputs();
    TBitmap& Output = FOutputPicture->MakeBitmap();
    Output.SetWidth(FWidth);
    Output.SetHeight(FHeight);
    Output.SetMonochrome(false);
    FRunning = true;
    try {
        PrepareBuffers();
        BuildDepthTable();
        RenderAllRows();
    } catch (...) {
        // A row or the progress handler raised: end the run cleanly so the next one can start.
        ReleaseSourceBuffers();
        FRunning = false;
        throw;
    }
    ReleaseSourceBuffers();
    FRunning = false;
}

void TStereogram::PrepareBuffers() {
    FOutputBuffer = std::make_unique<TFastDIBTavo>();
    FDepthBuffer = std::make_unique<TFastDIBTavo>();
    FMaskBuffer = std::make_unique<TFastDIBTavo>();
    FOutputBuffer->LoadFromBitmap(FOutputPicture->Bitmap(), 24, 0);
    FDepthBuffer->LoadFromBitmap(FDepthMap->Bitmap(), 24, 0);
    FMaskBuffer->LoadFromBitmap(FMaskMap->Bitmap(), 24, 0);
}

void TStereogram::ReleaseSourceBuffers() {
    FDepthBuffer.reset();
    FMaskBuffer.reset();
}

void TStereogram::RenderAllRows() {
    Progress = 0;
    Random::Seed(FFixedSeed ? *FFixedSeed : MillisecondsSinceMidnight());
    if (FStereoType == sgtRandomDotTextured) MakeRandomDotTexture();
    const int Rows = FHeight;
    for (int Row = 0; Row < Rows; ++Row) {
        switch (FStereoType) {
            case sgtFastRandomDot: RenderFastRandomDotRow(Row); break;
            case sgtColoredDot: RenderColoredDotRow(Row); break;
            case sgtRandomDotTextured:
            case sgtTextured: RenderTexturedRow(Row); break;
        }
        Application->ProcessMessages();
        Progress = Trunc(static_cast<long double>(Row) / (static_cast<long double>(FHeight) / 100));
        if (const TNotifyEvent Handler = FOnGenerate) Handler(this);
    }
    Progress = 100;
    if (const TNotifyEvent Handler = FOnGenerate) Handler(this);
}

const TPicture& TStereogram::GetPicture() {
    FOutputBuffer->Draw(FOutputPicture->MakeBitmap(), 0, 0);
    return *FOutputPicture;
}
