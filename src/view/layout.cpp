#include "view/layout.h"

#include "document/host.h"
#include "document/numeric.h"

namespace quorvel {

OuterSize MinimumOuterTwips(const Controls& ctl) {
  return {ToInt32(ctl.Ppalkki.width * 15.0 + 9720), ToInt32(ctl.Pala.height * 15.0 + 8010 + ctl.Pyla.height * 15.0)};
}

OuterSize MinimumOuterPixels(const Controls& ctl) {
  const OuterSize t = MinimumOuterTwips(ctl);
  return {(t.width + kTwipsPerPixel - 1) / kTwipsPerPixel, (t.height + kTwipsPerPixel - 1) / kTwipsPerPixel};
}

namespace {
// A size the window system would refuse is skipped, the other steps still run.
void SetWidth(Frame& f, int w) {
  if (w >= 0) f.width = w;
}
void SetHeight(Frame& f, int h) {
  if (h >= 0) f.height = h;
}
}  // namespace

void Form_Resize(Editor& ed) {
  Controls& c = ed.ctl;
  if (ed.host) {
    const OuterSize m = MinimumOuterTwips(c);
    if (ed.host->GetPlacement().width < m.width) ed.host->SetWindowWidth(m.width);
    if (ed.host->GetPlacement().height < m.height) ed.host->SetWindowHeight(m.height);
  }
  const int pw = c.Ppalkki.width, ph = c.Pala.height, th = c.Pyla.height;
  // Read again after the size corrections above: the Qt layer updates them as the window changes.
  const int w = ed.view.clientWidth, h = ed.view.clientHeight;

  c.Ppalkki.left = w - pw;
  SetHeight(c.Ppalkki, h + 2);

  c.Pala.top = h - ph;
  SetWidth(c.Pala, w - pw + 4);

  c.Fmaski[0].left = w - pw - 15;
  c.Fmaski[0].top = h - ph + 2;
  SetHeight(c.Fmaski[0], ph - 4);

  SetWidth(c.Pyla, w);

  c.Fmaski[1].left = w - pw - 15;
  c.Fmaski[1].top = 0;
  SetHeight(c.Fmaski[1], th - 3);

  ed.RedrawCanvas();
}

}  // namespace quorvel
