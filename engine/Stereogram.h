// TStereogram: the stereogram generator. It holds a grey depth map, a mask map (texture or
// colour source) and the viewing settings, derives the viewing geometry from them, and
// renders a single-image stereogram row by row into its output picture.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "Component.h"
#include "FastdibTavo.h"
#include "Picture.h"
#include "RowWork.h"

enum TStereoGramType : std::uint8_t { sgtFastRandomDot, sgtColoredDot, sgtRandomDotTextured, sgtTextured };
enum TBlurType : std::uint8_t { blurNone, blurLight, blurMedium, blurHeavy };
enum TRandomDotColorType : std::uint8_t { dctBlackWhite, dctRGB };
// Classic: output up to 1024 × 800 and row tables of 8193 entries. Large: output up to
// 16384 × 16384 and row tables as long as the row.
enum TSizeLimit : std::uint8_t { slClassic, slLarge };

class TStereogram : public TComponent {
public:
    // Entries of the classic row tables: 1024 columns × 8 samples, plus one.
    static constexpr int RowTableSize = 8193;
    static constexpr int MaxSubWidth = RowTableSize - 1;
    // Largest output side, and samples in a row, of the large size limit.
    static constexpr int LargeMaxSide = MaxPictureSide;
    static constexpr int LargeMaxSubWidth = LargeMaxSide * 8;
    static constexpr int MinThreads = 1, MaxThreads = 64;
    // Limits the setters keep their values within.
    static constexpr int MinSide = 1;            // Width and Height below it give FallbackSide
    static constexpr int FallbackSide = 600;
    static constexpr int ClassicMaxWidth = 1024;
    static constexpr int ClassicMaxHeight = 800;
    static constexpr int MinDPI = 10;
    static constexpr int MinDotIntensity = 1, MaxDotIntensity = 99;
    static constexpr int MinOversampling = 1, MaxOversampling = 8;
    // The distance between the eyes; a separation is at most DPI × this.
    static constexpr long double EyeDistanceInches = 2.5L;
    // A packed grey v, v, v is v × 65793 (= 16777215 / 255); a depth level is the packed
    // colour div this.
    static constexpr int GreyLevelDivisor = 65793;

    explicit TStereogram(TComponent* AOwner);
    ~TStereogram() override;

    // Runs one generation, or returns at once while a run is in progress. Raises ERefusal
    // ("Abbildung ist leer", "Maske ist leer", …) for what cannot be drawn.
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

    // The size limit. Large lifts the clamps of Width and Height to 16384 (coloured dots
    // follow a depth map up to 16384 wide instead of 8192) and lets the run's own pictures
    // take up to 16384 × 16384 × 3 bytes, beyond what a picture read from a file may.
    // Switching to slClassic clamps Width and Height again as their setters would;
    // switching to slLarge keeps them as they are.
    TSizeLimit SizeLimit() const { return FSizeLimit; }
    void SetSizeLimit(TSizeLimit Value);
    // Two guide dots drawn over the finished picture: their centres one background
    // separation apart (the separation of level 0, of 255 with CrossEyed, in output pixels
    // rounded half to even), the left one at Width div 2 − separation div 2, both
    // max(12, Height div 25) pixels from the top; each a black disc of radius
    // max(3, Width div 200) in a white one two pixels larger in radius.
    bool GuideDots() const { return FGuideDots; }
    void SetGuideDots(bool Value) { FGuideDots = Value; }
    // For viewing with crossed eyes: every depth level read is 255 − level, also the 0 read
    // outside the depth map.
    bool CrossEyed() const { return FCrossEyed; }
    void SetCrossEyed(bool Value) { FCrossEyed = Value; }
    // Threads that render a run, 1 to MaxThreads (values outside are clamped). With 1 the
    // whole run happens on the calling thread. More share out the work that draws no random
    // numbers: without blur, whole textured rows (after the random texture is made) and the
    // linking of random-dot rows. Every draw, ProcessMessages, Progress and OnGenerate stay
    // on the calling thread, once per row in row order, so a fixed seed gives the same
    // picture with any number.
    int Threads() const { return FThreads; }
    void SetThreads(int Value);

    // Whether a run hands the waiting window messages to Application->ProcessMessages after
    // every row (on unless turned off). A run on a worker thread turns it off: the window's
    // messages belong to the window's thread.
    bool HandlesMessages() const { return FHandlesMessages; }
    void SetHandlesMessages(bool Value) { FHandlesMessages = Value; }

    bool Running() const { return FRunning; }

    // Separation in samples (pixels × Oversampling) of each depth level 0 (far) … 255 (near)
    // as the current settings give it; a run without blur draws every column with this
    // table. Levels are the ones the run draws with, after the CrossEyed inversion.
    std::array<std::int32_t, 256> SeparationTable() const;

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
    // The row operations; Work is the row's working state. A random-dot row is linked
    // (no random draws without blur) and then coloured; a textured row is whole in one step.
    void LinkRandomDotRow(int Row, TRowWork& Work);
    void ColorRandomDotRow(int Row, TRowWork& Work);
    void RenderTexturedRow(int Row, TRowWork& Work);
    void MakeRandomDotTexture();
    void DrawGuideDots();

    // Work.FDepthLevels := the depth level 0 … 255 of every output column of row Row (0
    // outside the depth map), bounded by the depth buffer itself, which the run made from
    // the depth map; inverted for crossed eyes.
    void ReadDepthLevels(int Row, TRowWork& Work) const;
    // Separation in samples for a depth level: the table, or the jittered formula with one draw.
    int SeparationForLevel(int Level, TRowWork& Work) {
        return FBlur == blurNone ? FDepthTable[std::size_t(Level)] : JitteredSeparation(Level, Work);
    }
    int JitteredSeparation(int Level, TRowWork& Work);
    // Records that columns FLeft and FRight of a random-dot row must match, passing the
    // constraint rightwards along existing links, as the pair of the two right-hand columns,
    // until it lands on a free column or meets itself; a link is never changed. FLeft ends
    // on the entry it wrote.
    static void RecordRandomDotLink(TRowWork& Work) {
        std::uint16_t* const Links = Work.FLinkLeft.data();
        int Left = Work.FLeft, Right = Work.FRight;
        for (int K = Links[Left]; K != Left && K != Right; K = Links[Left]) {
            if (K < Right) {
                Left = K;
            } else {
                Left = Right;
                Right = K;
            }
        }
        Links[Left] = std::uint16_t(Right);
        Work.FLeft = Left;
        Work.FRight = Right;
    }
    void LinkTexturedRow(int Row, TRowWork& Work);
    void ColorTexturedRow(int Row, TRowWork& Work);
    void ReduceTexturedRow(int Row, TRowWork& Work);

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

    // 255 when every depth level read is inverted (crossed eyes), else 0: level ^ this.
    int FLevelInversion = 0;

    // The working states of the rows in flight (random dots) or of the threads (textured),
    // sized once per run so that rendering allocates nothing per row. The first serves a run
    // on one thread and exists from construction with the classic tables.
    std::vector<TRowWork> FRowWorks;
    TRowWork& FirstRowWork() { return FRowWorks.front(); }
    // Separation in samples of each depth level, filled for each run.
    std::array<std::int32_t, 256> FDepthTable{};

    std::unique_ptr<TFastDIBTavo> FDepthBuffer;
    std::unique_ptr<TFastDIBTavo> FMaskBuffer;
    std::unique_ptr<TFastDIBTavo> FOutputBuffer;

private:
    // The viewing geometry that the depth table is made of, in pixels (samples for EyeSepSub).
    struct TDepthGeometry {
        double Observer = 0;
        int EyeSep = 0;
        int EyeSepSub = 0;
        double FarPlane = 0;
        double NearPlane = 0;
    };
    TDepthGeometry DepthGeometry() const;
    static std::array<std::int32_t, 256> DepthTableOf(const TDepthGeometry& Geometry);

    void InitDefaults();
    void FreeObjects();
    // Refuses, before anything changes, a run that could not be drawn.
    void CheckInputs() const;
    int MaxWidth() const;
    int MaxHeight() const;
    int MaxSubWidthOfLimit() const;
    // Bytes the run's own pictures may take: a large output may exceed what a read picture may.
    std::int64_t MaxOutputBytes() const;
    // Threads the run uses: one when every row draws random numbers (blur).
    int RunThreads() const;
    // Sizes Slots row working states for a run.
    void FitRowWorks(int Slots);
    // The part of row Row that draws no random numbers without blur, and the rest.
    void PrepareRow(int Row, TRowWork& Work);
    void FinishRow(int Row, TRowWork& Work);
    void ReportRow(int Row);
    template <int V, class TLink>
    void LinkSamples(int Row, TRowWork& Work);
    template <int V, class TLink>
    void ColorSamples(int Row, TRowWork& Work);
    template <int V>
    void AverageSamples(int Row, TRowWork& Work);
    struct TMaskRow;
    // Row Row of the mask buffer; none for a row outside it.
    TMaskRow MaskRowOf(int Row) const;
    // The mask step of column X, whose constraint wrote the link entry of column Left.
    static void MaskStep(const TMaskRow& Mask, int X, int Left);
    void ApplyMaskSteps(int Row, const TRowWork& Work);
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

    TSizeLimit FSizeLimit = slClassic;
    bool FGuideDots = false;
    bool FCrossEyed = false;
    int FThreads = 1;
    bool FHandlesMessages = true;

    bool FRunning = false;
    // Rows finished so far in the current run; GetPicture shows only these while it runs.
    int FRowsDone = 0;
    std::optional<std::uint32_t> FFixedSeed;
};
