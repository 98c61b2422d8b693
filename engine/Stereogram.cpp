#include "Stereogram.h"

#include <algorithm>

#include "Application.h"
#include "Bitmap.h"
#include "Clock.h"
#include "Exception.h"
#include "ExtendedMath.h"
#include "Random.h"
#include "RowPipeline.h"

using ExtendedMath::Round;
using ExtendedMath::Saturate;
using ExtendedMath::Trunc;
using ExtendedMath::UsableDivisor;

namespace {

// Random-dot rows in flight per rendering thread: enough that no thread waits for a slot
// while the calling thread colours the rows in order.
constexpr int kSlotsPerThread = 4;

bool IsTexturedType(TStereoGramType T) { return T == sgtRandomDotTextured || T == sgtTextured; }
bool IsRandomDotType(TStereoGramType T) { return T == sgtFastRandomDot || T == sgtColoredDot; }

int ClampSide(int Value, int Max) {
    return Value < TStereogram::MinSide ? TStereogram::FallbackSide : std::min(Value, Max);
}

}  // namespace

TStereogram::TStereogram(TComponent* AOwner) : TComponent(AOwner) { InitDefaults(); }

TStereogram::~TStereogram() { FreeObjects(); }

void TStereogram::InitDefaults() {
    Progress = 0;
    FRowWorks.resize(1);
    FirstRowWork().Fit(RowTableSize, false);
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

int TStereogram::MaxWidth() const { return FSizeLimit == slLarge ? LargeMaxSide : ClassicMaxWidth; }
int TStereogram::MaxHeight() const { return FSizeLimit == slLarge ? LargeMaxSide : ClassicMaxHeight; }
int TStereogram::MaxSubWidthOfLimit() const { return FSizeLimit == slLarge ? LargeMaxSubWidth : MaxSubWidth; }

std::int64_t TStereogram::MaxOutputBytes() const {
    return FSizeLimit == slLarge ? std::int64_t(LargeMaxSide) * LargeMaxSide * 3 : MaxPictureBytes;
}

void TStereogram::SetHeight(int Value) {
    FHeight = FStereoType == sgtColoredDot ? FDepthMap->Height() : ClampSide(Value, MaxHeight());
}

void TStereogram::SetWidth(int Value) {
    // The coloured-dot kind follows the depth map, within what the classic row tables hold,
    // or what a large picture may be.
    const int MaxFollowed = FSizeLimit == slLarge ? LargeMaxSide : MaxSubWidth;
    FWidth = FStereoType == sgtColoredDot ? std::min(FDepthMap->Width(), MaxFollowed) : ClampSide(Value, MaxWidth());
}

void TStereogram::SetSizeLimit(TSizeLimit Value) {
    FSizeLimit = Value;
    if (Value == slClassic) {
        SetWidth(FWidth);
        SetHeight(FHeight);
    }
}

void TStereogram::SetThreads(int Value) { FThreads = std::clamp(Value, MinThreads, MaxThreads); }

void TStereogram::SetDotIntensity(int Value) { FDotIntensity = std::clamp(Value, MinDotIntensity, MaxDotIntensity); }

void TStereogram::SetOversampling(int Value) {
    FOversampling = IsRandomDotType(FStereoType) ? 1 : std::clamp(Value, MinOversampling, MaxOversampling);
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
    FDPI = std::max(Value, MinDPI);
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
    const std::int64_t Et = Trunc(static_cast<long double>(FDPI) * EyeDistanceInches);
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
    const TDepthGeometry Depth = DepthGeometry();
    FObserver = Depth.Observer;
    FEyeSep = Depth.EyeSep;
    FEyeSepSub = Depth.EyeSepSub;
    FFarPlane = Depth.FarPlane;
    const LD FarDenominator = LD(FFarPlane) + FObserver;
    FPatternWidth = UsableDivisor(FarDenominator) ? Trunc(LD(FEyeSep) * FFarPlane / FarDenominator) : 0;
    const int MaskWidth = FMaskMap->Width();
    if (MaskWidth > 0 && MaskWidth < FPatternWidth && IsTexturedType(FStereoType)) FPatternWidth = MaskWidth;
    FSeparation = FPatternWidth;
    if (FStereoType == sgtRandomDotTextured) FTextureHeight = FPatternWidth;
    FPeriod = Saturate(std::int64_t(FOversampling) * FPatternWidth);
    FStripStart = Saturate(std::int64_t(FSubWidth / 2) - FPeriod / 2);
    FPhase = FPeriod == 0 ? 0 : Saturate(std::int64_t(FPeriod) - FStripStart % FPeriod);
    FNearPlane = Depth.NearPlane;
    FDepthLeft = Saturate((std::int64_t(FWidth) - FDepthMap->Width()) / 2);
    FDepthTop = Saturate((std::int64_t(FHeight) - FDepthMap->Height()) / 2);
    FLevelInversion = FCrossEyed ? 255 : 0;
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

TStereogram::TDepthGeometry TStereogram::DepthGeometry() const {
    using LD = long double;
    TDepthGeometry G;
    G.Observer = static_cast<double>(LD(FDPI) * FObservDistance);
    G.EyeSep = Round(LD(FDPI) * EyeDistanceInches);
    G.EyeSepSub = Saturate(std::int64_t(G.EyeSep) * FOversampling);
    G.FarPlane = static_cast<double>(LD(FDPI) * FMax3Ddepth);
    G.NearPlane = static_cast<double>(LD(FDPI) * FMin3Ddepth);
    return G;
}

std::array<std::int32_t, 256> TStereogram::DepthTableOf(const TDepthGeometry& G) {
    std::array<std::int32_t, 256> Table{};
    for (int Level = 0; Level < 256; ++Level)
        Table[std::size_t(Level)] = SeparationOfDepth(0, G.EyeSepSub, DepthOfLevel(G.FarPlane, G.NearPlane, Level), G.Observer);
    return Table;
}

std::array<std::int32_t, 256> TStereogram::SeparationTable() const { return DepthTableOf(DepthGeometry()); }

void TStereogram::BuildDepthTable() {
    FDepthTable = DepthTableOf({FObserver, FEyeSep, FEyeSepSub, FFarPlane, FNearPlane});
}

void TStereogram::ReadDepthLevels(int Row, TRowWork& Work) const {
    std::uint8_t* const Levels = Work.FDepthLevels.data();
    const auto Background = std::uint8_t(FLevelInversion);  // level 0, as read
    // Output columns First … End − 1 lie over the depth map's row, if the row lies over it.
    const int Y = Row - FDepthTop;
    int First = 0, End = 0;
    if (Y >= 0 && Y < FDepthBuffer->Height) {
        First = int(std::clamp<std::int64_t>(FDepthLeft, 0, FWidth));
        End = int(std::clamp<std::int64_t>(std::int64_t(FDepthLeft) + FDepthBuffer->Width(), First, FWidth));
    }
    std::fill(Levels, Levels + First, Background);
    if (First < End) {
        // The packed colour div 65793 without dividing: b × 65536 + g × 256 + r is
        // b × 65793 + (g − b) × 256 + (r − b), whose last part lies within ±65535, so the
        // quotient is b, less one when g × 256 + r falls below b × 257.
        const TFColor* Depth = FDepthBuffer->Rows24[Y] + (First - FDepthLeft);
        for (std::uint8_t *Level = Levels + First, *Stop = Levels + End; Level != Stop; ++Level, ++Depth) {
            const TFColor P = *Depth;
            *Level = std::uint8_t((P.b - int(P.g * 256 + P.r < P.b * 257)) ^ Background);
        }
    }
    std::fill(Levels + End, Levels + FWidth, Background);
}

int TStereogram::JitteredSeparation(int Level, TRowWork& Work) {
    Work.FPixelDepth = DepthOfLevel(FFarPlane, FNearPlane, Level);
    const int Jitter = Random::Below(10) - 5;
    return SeparationOfDepth(static_cast<long double>(Jitter) / FBlurDivisor, FEyeSepSub, Work.FPixelDepth, FObserver);
}

// ---- The run ----------------------------------------------------------------------------

void TStereogram::CheckInputs() const {
    if (FDepthMap->Bitmap().Empty()) throw ERefusal("Abbildung ist leer", TRefusal::EmptyDepthMap);
    if ((FStereoType == sgtColoredDot || FStereoType == sgtTextured) && FMaskMap->Bitmap().Empty())
        throw ERefusal("Maske ist leer", TRefusal::EmptyMask);
    if (IsTexturedType(FStereoType)) {
        if (FPeriod < 1 || FTextureHeight < 1) throw ERefusal("Tiefenbereich ergibt keinen Abstand", TRefusal::NoSeparation);
        if (FStripStart < 0) throw ERefusal("Abstand ist breiter als das Bild", TRefusal::SeparationTooWide);
        if (FSubWidth > MaxSubWidthOfLimit()) throw ERefusal("Bild ist zu breit", TRefusal::RowTooWide);
    }
    CheckPictureSize(FWidth, FHeight, 24, {}, MaxOutputBytes());
}

void TStereogram::Generate() {
    if (FRunning) return;
    // The geometry is computed before the output is touched, so that settings that cannot
    // be drawn are refused while everything is still as it was.
    UpdateGeometry();
    CheckInputs();
    TBitmap& Output = FOutputPicture->MakeBitmap();
    Output.SetSize(FWidth, FHeight, MaxOutputBytes());
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
    // Every row overwrites all its pixels, and GetPicture shows only finished rows, so the
    // output buffer keeps its memory from one run to the next.
    FRowsDone = 0;
    FOutputBuffer->SetSize(FWidth, FHeight, 24, 0, MaxOutputBytes());
    FDepthBuffer = std::make_unique<TFastDIBTavo>();
    FMaskBuffer = std::make_unique<TFastDIBTavo>();
    FDepthBuffer->LoadFromBitmap(FDepthMap->Bitmap(), 24, 0);
    FMaskBuffer->LoadFromBitmap(FMaskMap->Bitmap(), 24, 0);
}

void TStereogram::ReleaseSourceBuffers() {
    FDepthBuffer.reset();
    FMaskBuffer.reset();
    // Row tables that a large run widened go back to the classic size.
    for (TRowWork& Work : FRowWorks)
        if (Work.FRowColors.size() > std::size_t(RowTableSize)) Work.Fit(RowTableSize, false);
}

int TStereogram::RunThreads() const { return FBlur == blurNone ? FThreads : 1; }

void TStereogram::FitRowWorks(int Slots) {
    int Entries = RowTableSize;
    if (FSizeLimit == slLarge) Entries = std::max(Entries, IsTexturedType(FStereoType) ? FSubWidth : FWidth + 1);
    FRowWorks.resize(std::size_t(Slots));
    for (TRowWork& Work : FRowWorks) Work.Fit(Entries, FStereoType == sgtColoredDot);
}

void TStereogram::PrepareRow(int Row, TRowWork& Work) {
    switch (FStereoType) {
        case sgtFastRandomDot:
        case sgtColoredDot: LinkRandomDotRow(Row, Work); break;
        case sgtRandomDotTextured:
        case sgtTextured: RenderTexturedRow(Row, Work); break;
    }
}

void TStereogram::FinishRow(int Row, TRowWork& Work) {
    if (IsRandomDotType(FStereoType)) ColorRandomDotRow(Row, Work);
}

void TStereogram::ReportRow(int Row) {
    FRowsDone = Row + 1;
    if (FHandlesMessages) Application->ProcessMessages();
    Progress = Trunc(static_cast<long double>(Row) / (static_cast<long double>(FHeight) / 100));
    if (const TNotifyEvent Handler = FOnGenerate) Handler(this);
}

void TStereogram::RenderAllRows() {
    Progress = 0;
    Random::Seed(FFixedSeed ? *FFixedSeed : MillisecondsSinceMidnight());
    if (FStereoType == sgtRandomDotTextured) MakeRandomDotTexture();
    // Every row is prepared and finished in turn; with more threads the preparing of rows
    // ahead (which draws nothing) is shared out. A random-dot row keeps its links from
    // linking to colouring, so it has a working state of its own among those of the rows in
    // flight; a textured row is done once prepared, so each thread keeps one for its rows.
    const int Threads = RunThreads();
    const bool StatePerRow = IsRandomDotType(FStereoType);
    const int Window = StatePerRow ? kSlotsPerThread * Threads : FHeight;
    FitRowWorks(StatePerRow ? std::min(Window, FHeight) : Threads);
    const auto Slot = [this](int Index) -> TRowWork& { return FRowWorks[std::size_t(Index) % FRowWorks.size()]; };
    RunRows(
        FHeight, Threads, Window, [&](int Row, int Worker) { PrepareRow(Row, Slot(StatePerRow ? Row : Worker)); },
        [&](int Row) {
            FinishRow(Row, Slot(Row));
            ReportRow(Row);
        });
    if (FGuideDots) DrawGuideDots();
    Progress = 100;
    if (const TNotifyEvent Handler = FOnGenerate) Handler(this);
}

const TPicture& TStereogram::GetPicture() {
    // Only the rows a run has finished are copied: during a run the others are still being
    // written, and after a stopped run they belong to no picture.
    TFastDIBTavo Finished;
    Finished.SetLayout(FOutputBuffer->Bits, FOutputBuffer->Width(), FRowsDone, 24, 0);
    Finished.Draw(FOutputPicture->MakeBitmap(), 0, 0);
    return *FOutputPicture;
}
