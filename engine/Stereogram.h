// TStereogram: the stereogram generator. It holds a grey depth map, a mask map (texture or
// colour source) and the viewing settings, derives the viewing geometry from them, and
// renders a single-image stereogram row by row into its output picture.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "Component.h"
#include "FastdibTavo.h"
#include "Picture.h"

enum TStereoGramType : std::uint8_t { sgtFastRandomDot, sgtColoredDot, sgtRandomDotTextured, sgtTextured };
enum TBlurType : std::uint8_t { blurNone, blurLight, blurMedium, blurHeavy };
enum TRandomDotColorType : std::uint8_t { dctBlackWhite, dctRGB };

class TStereogram : public TComponent {
public:
    // Entries of the row tables: 1024 columns × 8 samples, plus one.
    static constexpr int RowTableSize = 8193;
    static constexpr int MaxSubWidth = RowTableSize - 1;
    // A packed grey v, v, v is v × 65793 (= 16777215 / 255).
    static constexpr int GreyLevelDivisor = 65793;

    explicit TStereogram(TComponent* AOwner);
    ~TStereogram() override;

    // Runs one generation, or returns at once while a run is in progress. Raises
    // "Abbildung ist leer" / "Maske ist leer" for missing pictures.
    void Generate();
    // The output picture with the output buffer drawn onto it; stays owned by the component.
    const TPicture& GetPicture();
    // Percent of rows done in the current or last run.
    int Progress = 0;

    // Published settings.
    const TPicture& DepthMap() const { return *FDepthMap; }
    void SetDepthMap(const TPicture& Value);
    const TPicture& MaskMap() const { return *FMaskMap; }
    void SetMaskMap(const TPicture& Value);
    int GetHeight() const { return FHeight; }
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int GetWidth() const { return FWidth; }
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int GetSeparation() const { return FSeparation; }
    int Separation() const { return FSeparation; }
    void SetSeparation(int Value);
    TStereoGramType GetStereoType() const { return FStereoType; }
    TStereoGramType StereoType() const { return FStereoType; }
    void SetStereoType(TStereoGramType Value);
    int DotIntensity() const { return FDotIntensity; }
    void SetDotIntensity(int Value);
    int DPI() const { return FDPI; }
    void SetDPI(int Value);
    TBlurType Blur() const { return FBlur; }
    void SetBlur(TBlurType Value) { FBlur = Value; }
    TRandomDotColorType RandomDotColor() const { return FRandomDotColor; }
    void SetRandomDotColor(TRandomDotColorType Value) { FRandomDotColor = Value; }
    int Oversampling() const { return FOversampling; }
    void SetOversampling(int Value);
    double ObservDistance() const { return FObservDistance; }
    void SetObservDistance(double Value);
    double Max3Ddepth() const { return FMax3Ddepth; }
    void SetMax3Ddepth(double Value);
    double Min3Ddepth() const { return FMin3Ddepth; }
    void SetMin3Ddepth(double Value);
    const TNotifyEvent& OnGenerate() const { return FOnGenerate; }
    void SetOnGenerate(TNotifyEvent Value) { FOnGenerate = std::move(Value); }

    // A fixed seed makes every run draw the same random sequence; without one each run
    // seeds from the time of day.
    std::optional<std::uint32_t> FixedSeed() const { return FFixedSeed; }
    void SetFixedSeed(std::optional<std::uint32_t> Value) { FFixedSeed = Value; }

    bool Running() const { return FRunning; }

protected:
    // Derived geometry and the run's internals; protected so that tests can reach them
    // through a subclass.
    void UpdateGeometry();
    void BuildDepthTable();
    // The packed colour (red lowest) of pixel (X, Y) of a 24-bit buffer, and its writer.
    static std::int32_t GetPixelRGB(const TFastDIBTavo& Buffer, int X, int Y) {
        TFColor C{0, 0, 0};
        Buffer.ReadPixel(Y, X, C);
        return C.b * 65536 + C.g * 256 + C.r;
    }
    static void SetPixelRGB(TFastDIBTavo& Buffer, int X, int Y, std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) {
        Buffer.Rows24[Y][X] = TFColor{Blue, Green, Red};
    }

    void PrepareBuffers();
    void RenderAllRows();
    void ReleaseSourceBuffers();
    void RenderFastRandomDotRow(int Row);
    void RenderColoredDotRow(int Row);
    void RenderTexturedRow(int Row);
    void MakeRandomDotTexture();

    // Depth level 0 … 255 of output column Column in row Row (0 outside the depth map),
    // bounded by the depth buffer itself, which the run made from the depth map.
    int DepthLevelAt(int Column, int Row) const {
        const int X = Column - FDepthLeft, Y = Row - FDepthTop;
        if (X < 0 || Y < 0 || X >= FDepthBuffer->Width() || Y >= FDepthBuffer->Height) return 0;
        return GetPixelRGB(*FDepthBuffer, X, Y) / GreyLevelDivisor;
    }
    // Separation in samples for a depth level: the table, or the jittered formula with one draw.
    int SeparationForLevel(int Level) { return FBlur == blurNone ? FDepthTable[std::size_t(Level)] : JitteredSeparation(Level); }
    int JitteredSeparation(int Level);
    // Records that columns FLeft and FRight of a random-dot row must match, passing the
    // constraint along existing links; FLeft ends on the entry it wrote.
    void RecordRandomDotLink();
    void LinkTexturedRow(int Row);
    void ColorTexturedRow(int Row);
    void ReduceTexturedRow(int Row);

    using TLinkTable = std::array<std::uint16_t, RowTableSize>;
    // Entries 0 … Count − 1 of Links := their own index (no partner).
    static void ResetLinks(TLinkTable& Links, int Count);

    // Derived fields (written only by UpdateGeometry).
    int FTextureHeight = 0;
    int FRowShift = 0;
    int FSubWidth = 0;
    int FEyeSep = 0;
    int FEyeSepSub = 0;
    int FPatternWidth = 0;
    int FPeriod = 0;
    int FStripStart = 0;
    int FDepthLeft = 0;
    int FDepthTop = 0;
    int FPhase = 0;
    double FObserver = 0;
    double FNearPlane = 0;
    double FFarPlane = 0;
    int FBlurDivisor = 0;

    // Row working fields (written and read only by the row algorithms).
    int FPixelDepth = 0;
    int FPixelSep = 0;
    int FLeft = 0;
    int FRight = 0;
    int FDepthLevel = 0;

    // Row tables, members so that rendering allocates nothing per row.
    TLinkTable FLinkLeft{};
    TLinkTable FLinkRight{};
    std::array<std::uint32_t, RowTableSize> FRowColors{};
    std::array<std::int32_t, 256> FDepthTable{};

    std::unique_ptr<TFastDIBTavo> FDepthBuffer;
    std::unique_ptr<TFastDIBTavo> FMaskBuffer;
    std::unique_ptr<TFastDIBTavo> FOutputBuffer;

private:
    void InitDefaults();
    void FreeObjects();
    // Refuses, before anything changes, a run that could not be drawn.
    void CheckInputs() const;
    template <int V>
    void LinkSamples(int Row);
    template <int V>
    void ColorSamples(int Row);
    template <int V>
    void AverageSamples(int Row);
    bool MaskPixelInside(int X, int Y) const;
    void RecordRandomDotLinks(int Row, bool WithMask);
    void ColorRandomDotRow(int Row, bool WithMask);
    // Texture row Row, wrapped after FTextureHeight rows.
    const TFColor* TextureRow(int Row) const;

    std::unique_ptr<TPicture> FDepthMap;
    int FHeight = 0;
    std::unique_ptr<TPicture> FMaskMap;
    std::unique_ptr<TPicture> FOutputPicture;
    int FSeparation = 0;
    TStereoGramType FStereoType = sgtFastRandomDot;
    int FWidth = 0;
    TNotifyEvent FOnGenerate;
    int FDotIntensity = 0;
    TRandomDotColorType FRandomDotColor = dctBlackWhite;
    double FObservDistance = 0, FMax3Ddepth = 0, FMin3Ddepth = 0;
    int FOversampling = 0;
    TBlurType FBlur = blurNone;
    int FDPI = 0;

    bool FRunning = false;
    std::optional<std::uint32_t> FFixedSeed;
};
