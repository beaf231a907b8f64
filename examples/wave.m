% wave.m - plots the results of a siteresp run.
%
% Run it in the directory that holds the result files of a run (MATLAB, or
% GNU Octave: "octave-cli wave.m" or "run wave" at the prompt).  It draws
%   1. wave1.csv:       the three output time histories, three stacked panels
%                       sharing one time axis;
%   2. Amp-Factors.csv: the four amplification factors of the soil profile
%                       against frequency, logarithmic frequency axis;
%   3. amp1.csv:        the Fourier amplitude spectra of the three output
%                       channels, logarithmic axes;
% and, where `sitekit run` wrote them beside the three,
%   4. RespSpec.csv:    the response spectra of the input (dashed) and the
%                       surface motion (solid), and their ratio below,
%                       logarithmic period axis;
%   5. Amp-Factors-KO.csv: the smoothed amplification factors.
% A missing file of the first three is skipped with a warning; the last two
% are drawn only when present.  Each figure is saved beside the
% data as wave1.png, Amp-Factors.png and amp1.png (800 x 600 pixels).  With a
% display the figures are shown as well; without one (no DISPLAY, Octave's
% octave-cli, MATLAB -nodisplay, or figures invisible by default) they are
% only saved.  Octave needs a font to draw any text: without one (Debian:
% fonts-freefont-otf) the script stops before drawing and says so.  Set wave_show = false (or true) before running the script to
% decide yourself.  The data stay in the workspace in the struct wave_data.
%
% The files are read as siteresp writes them: one heading line that starts
% with a blank, labels padded with blanks to 10 characters (a label that was
% quoted in the wave file may hold blanks, commas, even a line end), data
% rows of fixed-width numbers, a trailing comma on the rows of the two
% spectrum files, fields of asterisks for values too wide for their field
% (read as NaN; rows holding NaN or Inf are left out of the plots), and
% possibly no line end after the last row.  GNU Octave without a display needs gnuplot
% (Debian: gnuplot-nox and fonts-freefont-otf).

wave_is_octave = exist('OCTAVE_VERSION', 'builtin') ~= 0;
wave_files = {'wave1.csv', 'Amp-Factors.csv', 'amp1.csv', 'RespSpec.csv', 'Amp-Factors-KO.csv'};
wave_optional = [false, false, false, true, true];
% Layout of each heading: text before the first label, number of labels that
% the program writes 10 characters wide (0: fixed heading, split at commas),
% and the labels to use when the heading gives none.
wave_prefix = {' ', ' frequency (Hz),', ' frequency(Hz),', '', ''};
wave_nlab = [4, 0, 3, 0, 0];
wave_default = {{'time', 'H1', 'H2', 'V1'}, ...
                {'frequency (Hz)', 'Samp1', 'Samp2', 'Pamp1', 'Pamp2'}, ...
                {'frequency (Hz)', 'H1', 'H2', 'V1'}, {'period (s)'}, {'frequency (Hz)'}};

% One field of a data row: a number as the program writes it (F and E
% edits), a field of asterisks, or Inf/NaN.
wave_num = '[-+]?(\d+\.?\d*|\.\d+)([EeDd][-+]?\d+)?';
wave_tok = ['\s*(' wave_num '|\*+|[-+]?Inf|NaN)\s*'];
wave_rowpat = ['^' wave_tok '(,' wave_tok ')*,?\s*$'];

% wave_data(k): file name, labels, the rows read (one column per field),
% the position of each row among the data lines, for wave1.csv the time axis
% of the plot, and the figure drawn.
wave_data = struct('file', wave_files, 'labels', {{}}, 'values', {[]}, ...
                   'rowindex', {[]}, 'time', {[]}, 'figure', {[]});
for wave_k = 1:numel(wave_files)
  wave_name = wave_files{wave_k};
  if ~exist(wave_name, 'file') && wave_optional(wave_k)
    continue;
  elseif ~exist(wave_name, 'file')
    warning('wave:missing', 'wave.m: %s not found in %s, not plotted', wave_name, pwd);
    continue;
  end
  wave_txt = fileread(wave_name);
  wave_lines = regexp(wave_txt, '\r?\n', 'split');
  wave_isrow = ~cellfun('isempty', regexp(wave_lines, wave_rowpat, 'once'));
  wave_isrow(1) = false;  % the first line is always the heading

  % Heading and labels.  The program writes the labels 10 characters wide,
  % so a heading that holds them has a fixed length and they are cut out by
  % position, which keeps commas inside labels.  A label given in quotes may
  % even carry a line end and so split the heading over two lines: lines are
  % joined until the length is reached.  Any other heading runs up to the
  % first data row and is split at its commas.
  wave_p = numel(wave_prefix{wave_k});
  wave_n = wave_nlab(wave_k);
  wave_len = wave_p + 11 * wave_n - 1;
  wave_head = wave_lines{1};
  wave_j = 1;
  while wave_n > 0 && numel(wave_head) < wave_len && wave_j < numel(wave_lines)
    wave_j = wave_j + 1;
    wave_head = [wave_head char(10) wave_lines{wave_j}]; %#ok<AGROW>
  end
  wave_lab = {};
  if wave_n > 0 && numel(wave_head) == wave_len ...
      && strcmp(wave_head(1:wave_p), wave_prefix{wave_k}) ...
      && all(wave_head(wave_p + 11 * (1:wave_n - 1)) == ',')
    wave_first = wave_j + 1;
    for wave_j = 1:wave_n
      wave_lab{end + 1} = wave_head(wave_p + 11 * (wave_j - 1) + (1:10)); %#ok<SAGROW>
    end
    if wave_p > 1
      wave_lab = [{wave_head(2:wave_p - 1)}, wave_lab];
    end
  else
    wave_first = find(wave_isrow, 1);
    if isempty(wave_first)
      wave_first = numel(wave_lines) + 1;
    end
    wave_head = strjoin(wave_lines(1:wave_first - 1), char(10));
    wave_lab = regexp(wave_head, ',', 'split');
  end
  wave_isrow(1:wave_first - 1) = false;
  for wave_j = 1:numel(wave_lab)
    wave_lab{wave_j}(wave_lab{wave_j} < ' ') = ' ';  % a line end inside a label
  end
  wave_lab = strtrim(wave_lab);

  % Data rows.  The number of columns is that of most rows (the heading can
  % hold more commas than there are columns); a row with another count, as
  % a last row cut short, is left out.
  wave_rows = regexprep(wave_lines(wave_isrow), ',\s*$', '');
  wave_rowidx = find(wave_isrow) - wave_first + 1;
  wave_vals = zeros(0, numel(wave_default{wave_k}));
  if ~isempty(wave_rows)
    wave_nc = cellfun('length', regexp(wave_rows, ',')) + 1;
    wave_ncol = mode(wave_nc);
    wave_keep = wave_nc == wave_ncol;
    wave_rows = wave_rows(wave_keep);
    wave_rowidx = wave_rowidx(wave_keep);
    wave_vals = reshape(str2double(regexp(strjoin(wave_rows, ','), ',', 'split')), ...
                        wave_ncol, []).';
  end

  % Labels the heading does not supply get their usual names.
  wave_ncol = size(wave_vals, 2);
  wave_def = wave_default{wave_k};
  for wave_j = 1:wave_ncol
    if wave_j > numel(wave_lab) || isempty(wave_lab{wave_j})
      if wave_j <= numel(wave_def)
        wave_lab{wave_j} = wave_def{wave_j};
      else
        wave_lab{wave_j} = sprintf('column %d', wave_j);
      end
    end
  end
  wave_data(wave_k).labels = wave_lab(1:wave_ncol);
  wave_data(wave_k).values = wave_vals;
  wave_data(wave_k).rowindex = wave_rowidx(:);
end

% Show or only save.  Octave shows figures through its qt or fltk toolkit
% when there is a display; otherwise it draws with gnuplot into files.
wave_nodisplay = isunix && ~ismac && isempty(getenv('DISPLAY')) ...
                 && isempty(getenv('WAYLAND_DISPLAY'));
wave_hidden = strcmpi(get(0, 'defaultfigurevisible'), 'off');
if wave_is_octave
  wave_tks = available_graphics_toolkits();
  wave_canshow = ~wave_nodisplay && any(ismember(wave_tks, {'qt', 'fltk'}));
else
  wave_canshow = ~wave_nodisplay && usejava('awt');
end
wave_asked = exist('wave_show', 'var') == 1;
if wave_asked
  wave_show = logical(wave_show) && wave_canshow;
else
  wave_show = wave_canshow && ~wave_hidden;
end
wave_gnuplot = false;
if wave_is_octave && ~wave_show && ~any(ismember(wave_tks, {'qt', 'fltk'})) ...
    || wave_is_octave && wave_nodisplay
  if ~any(strcmp(wave_tks, 'gnuplot'))
    error('wave:toolkit', ['wave.m: Octave has no graphics toolkit that works ' ...
          'without a display here; install gnuplot (Debian: gnuplot-nox)']);
  end
  wave_gnuplot = true;
  wave_warn = warning('off', 'Octave:gnuplot-graphics');
  graphics_toolkit('gnuplot');
  warning(wave_warn);
end
% gnuplot draws text larger for the same point size; at 10 points the
% titles and axis labels of the stacked panels no longer fit.
wave_font = 10;
if wave_gnuplot
  wave_font = 7;
end
% Octave draws every title, label and tick mark with FreeType and finds its
% fonts through fontconfig; with no font at all it fails deep inside the
% first subplot.  Say so before drawing anything.
if wave_is_octave
  [wave_st, wave_out] = system('fc-list : file 2>/dev/null');
  if wave_st == 0
    wave_fontok = ~isempty(strtrim(wave_out));
  else
    wave_fontok = exist('/usr/share/fonts/opentype/freefont/FreeSans.otf', 'file') == 2;
  end
  if ~wave_fontok
    error('wave:font', ['wave.m: Octave cannot draw text here: no font is installed ' ...
          '(Debian: fonts-freefont-otf); no figure drawn, the data are in wave_data']);
  end
end
if wave_show
  wave_visible = 'on';
else
  wave_visible = 'off';
end

% --- 1. wave1.csv: three stacked panels on one time axis -------------------
wave_d = wave_data(1);
wave_fig = [];
if size(wave_d.values, 1) >= 2 && size(wave_d.values, 2) >= 2
  % The rows of the zero-padded tail of the output window carry the time 0
  % (or what the record left there); the axis goes on at the step of the
  % first two rows, as the program itself assumes a constant step.
  wave_t = wave_d.values(:, 1);
  wave_i = wave_d.rowindex;
  wave_ok = find(isfinite(wave_t(1:end - 1)) & isfinite(wave_t(2:end)) ...
                 & diff(wave_i) == 1, 1);
  wave_xlab = wave_d.labels{1};
  if ~isempty(wave_ok) && wave_t(wave_ok + 1) > wave_t(wave_ok)
    wave_dt = wave_t(wave_ok + 1) - wave_t(wave_ok);
    wave_t = wave_t(wave_ok) + (wave_i - wave_i(wave_ok)) * wave_dt;
  else
    wave_t = wave_i;
    wave_xlab = 'sample';
  end
  wave_data(1).time = wave_t;
  wave_y = wave_d.values(:, 2:end);
  wave_good = all(isfinite(wave_y), 2);
  wave_nch = size(wave_y, 2);
  wave_fig = figure('visible', wave_visible, 'name', 'wave1.csv', 'numbertitle', 'off', ...
                    'defaultaxesfontsize', wave_font, 'defaulttextfontsize', wave_font);
  wave_ax = cell(1, wave_nch);
  for wave_j = 1:wave_nch
    wave_ax{wave_j} = subplot(wave_nch, 1, wave_j);
    plot(wave_t(wave_good), wave_y(wave_good, wave_j), 'b-');
    grid on;
    xlim([min(wave_t) max(wave_t)]);
    ylabel(wave_d.labels{wave_j + 1}, 'interpreter', 'none');
    if wave_j == 1
      title('Surface motion (wave1.csv)', 'interpreter', 'none');
    end
    if wave_j < wave_nch
      set(gca, 'xticklabel', {});
    end
  end
  xlabel(wave_xlab, 'interpreter', 'none');
  if ~wave_gnuplot && exist('linkaxes', 'file')
    linkaxes([wave_ax{:}], 'x');
  end
  wave_data(1).figure = wave_fig;
end

% --- 2. Amp-Factors.csv: amplification factors, log frequency axis ---------
wave_d = wave_data(2);
wave_good = [];
if size(wave_d.values, 2) >= 2
  wave_f = wave_d.values(:, 1);
  wave_y = wave_d.values(:, 2:end);
  % The zero-frequency row has no place on a logarithmic axis.
  wave_good = wave_f > 0 & all(isfinite(wave_d.values), 2);
end
if any(wave_good)
  wave_lab = wave_d.labels(2:end);
  % The usual four columns get a word on what they are.
  wave_known = {'Samp1', 'Samp2', 'Pamp1', 'Pamp2'};
  wave_words = {'SH, to incident wave', 'SH, to motion in bedrock', ...
                'P-SV, to incident wave', 'P-SV, to motion in bedrock'};
  for wave_j = 1:numel(wave_lab)
    wave_m = find(strcmp(wave_lab{wave_j}, wave_known));
    if ~isempty(wave_m)
      wave_lab{wave_j} = [wave_lab{wave_j} ' (' wave_words{wave_m} ')'];
    end
  end
  wave_fig = figure('visible', wave_visible, 'name', 'Amp-Factors.csv', 'numbertitle', 'off', ...
                    'defaultaxesfontsize', wave_font, 'defaulttextfontsize', wave_font);
  semilogx(wave_f(wave_good), wave_y(wave_good, :));
  grid on;
  xlim([min(wave_f(wave_good)) max(wave_f(wave_good))]);
  xlabel('frequency (Hz)');
  ylabel('amplification factor');
  title('Amplification factors (Amp-Factors.csv)', 'interpreter', 'none');
  legend(wave_lab, 'interpreter', 'none', 'location', 'northwest');
  wave_data(2).figure = wave_fig;
end

% --- 3. amp1.csv: Fourier amplitude spectra, log-log axes -------------------
wave_d = wave_data(3);
wave_good = [];
if size(wave_d.values, 2) >= 2
  wave_f = wave_d.values(:, 1);
  wave_y = wave_d.values(:, 2:end);
  wave_good = wave_f > 0 & all(isfinite(wave_d.values), 2);
  % Points outside the band-pass are zero: no place on a logarithmic axis.
  wave_y(wave_y <= 0) = NaN;
end
if any(wave_good) && any(any(wave_y(wave_good, :) > 0))
  wave_fig = figure('visible', wave_visible, 'name', 'amp1.csv', 'numbertitle', 'off', ...
                    'defaultaxesfontsize', wave_font, 'defaulttextfontsize', wave_font);
  loglog(wave_f(wave_good), wave_y(wave_good, :));
  grid on;
  xlim([min(wave_f(wave_good)) max(wave_f(wave_good))]);
  xlabel('frequency (Hz)');
  ylabel('Fourier amplitude');
  title('Fourier amplitude spectra (amp1.csv)', 'interpreter', 'none');
  legend(wave_d.labels(2:end), 'interpreter', 'none', 'location', 'southwest');
  wave_data(3).figure = wave_fig;
elseif ~isempty(wave_d.values)
  warning('wave:empty', 'wave.m: amp1.csv holds no positive amplitude, not plotted');
end

% --- 4. RespSpec.csv: response spectra, input against surface, and ratio ---
% Columns are told apart by a word of their heading: input, surface, ratio.
wave_d = wave_data(4);
if size(wave_d.values, 1) >= 2 && size(wave_d.values, 2) >= 2
  wave_T = wave_d.values(:, 1);
  wave_good = isfinite(wave_T) & wave_T > 0;   % period 0 (the peaks) has no place on a log axis
  wave_role = @(w) ~cellfun('isempty', regexpi(wave_d.labels, ['(^|_)(' w ')(_|$)'], 'once'));
  wave_in = find(wave_role('input|in'));
  wave_out = find(wave_role('surface|surf'));
  wave_ratio = find(wave_role('ratio'));
  wave_co = get(0, 'defaultaxescolororder');
  wave_fig = figure('visible', wave_visible, 'name', 'RespSpec.csv', 'numbertitle', 'off', ...
                    'defaultaxesfontsize', wave_font, 'defaulttextfontsize', wave_font);
  subplot(2, 1, 1);
  wave_lab = {};
  for wave_j = 1:numel(wave_in)
    semilogx(wave_T(wave_good), wave_d.values(wave_good, wave_in(wave_j)), '--', ...
             'color', wave_co(mod(wave_j - 1, size(wave_co, 1)) + 1, :));
    hold on;
    wave_lab{end + 1} = wave_d.labels{wave_in(wave_j)}; %#ok<SAGROW>
  end
  for wave_j = 1:numel(wave_out)
    semilogx(wave_T(wave_good), wave_d.values(wave_good, wave_out(wave_j)), '-', ...
             'color', wave_co(mod(wave_j - 1, size(wave_co, 1)) + 1, :), 'linewidth', 1.5);
    hold on;
    wave_lab{end + 1} = wave_d.labels{wave_out(wave_j)}; %#ok<SAGROW>
  end
  hold off;
  grid on;
  ylabel('PSA');
  title('Response spectra, input dashed, surface solid (RespSpec.csv)', 'interpreter', 'none');
  if ~isempty(wave_lab)
    legend(wave_lab, 'interpreter', 'none', 'location', 'northeast');
  end
  subplot(2, 1, 2);
  for wave_j = 1:numel(wave_ratio)
    semilogx(wave_T(wave_good), wave_d.values(wave_good, wave_ratio(wave_j)), '-', ...
             'color', wave_co(mod(wave_j - 1, size(wave_co, 1)) + 1, :));
    hold on;
  end
  hold off;
  grid on;
  xlabel('period (s)');
  ylabel('surface / input');
  if ~isempty(wave_ratio)
    legend(wave_d.labels(wave_ratio), 'interpreter', 'none', 'location', 'northeast');
  end
  wave_data(4).figure = wave_fig;
end

% --- 5. Amp-Factors-KO.csv: smoothed amplification factors ------------------
wave_d = wave_data(5);
wave_good = [];
if size(wave_d.values, 2) >= 2
  wave_f = wave_d.values(:, 1);
  wave_good = wave_f > 0 & all(isfinite(wave_d.values), 2);
end
if any(wave_good)
  wave_fig = figure('visible', wave_visible, 'name', 'Amp-Factors-KO.csv', 'numbertitle', 'off', ...
                    'defaultaxesfontsize', wave_font, 'defaulttextfontsize', wave_font);
  semilogx(wave_f(wave_good), wave_d.values(wave_good, 2:end));
  grid on;
  xlim([min(wave_f(wave_good)) max(wave_f(wave_good))]);
  xlabel('frequency (Hz)');
  ylabel('amplification factor');
  title('Smoothed amplification factors (Amp-Factors-KO.csv)', 'interpreter', 'none');
  legend(wave_d.labels(2:end), 'interpreter', 'none', 'location', 'northwest');
  wave_data(5).figure = wave_fig;
end

% --- Save every figure as PNG beside the data -------------------------------
for wave_k = 1:numel(wave_data)
  if isempty(wave_data(wave_k).figure)
    continue;
  end
  wave_fig = wave_data(wave_k).figure;
  wave_png = regexprep(wave_data(wave_k).file, '\.csv$', '.png');
  if wave_is_octave
    wave_warn = warning('off', 'print:nogs');
    if wave_gnuplot
      print(wave_fig, '-dpngcairo', '-S800,600', wave_png);
    else
      print(wave_fig, '-dpng', '-S800,600', wave_png);
    end
    warning(wave_warn);
  else
    set(wave_fig, 'paperunits', 'inches', 'paperposition', [0 0 8 6]);
    print(wave_fig, '-dpng', '-r100', wave_png);
  end
  fprintf('wave.m: saved %s\n', fullfile(pwd, wave_png));
  if ~wave_show
    close(wave_fig);
  end
end

clear('wave_is_octave', 'wave_files', 'wave_optional', 'wave_st', 'wave_out', 'wave_fontok', ...
      'wave_T', 'wave_role', 'wave_in', 'wave_ratio', 'wave_co', 'wave_prefix', 'wave_nlab', 'wave_default', ...
      'wave_num', 'wave_tok', 'wave_rowpat', 'wave_k', 'wave_name', 'wave_txt', ...
      'wave_lines', 'wave_isrow', 'wave_first', 'wave_head', 'wave_p', 'wave_n', ...
      'wave_len', 'wave_lab', 'wave_j', 'wave_rows', 'wave_rowidx', 'wave_vals', ...
      'wave_nc', 'wave_ncol', 'wave_keep', 'wave_def', 'wave_nodisplay', 'wave_hidden', ...
      'wave_tks', 'wave_canshow', 'wave_gnuplot', 'wave_warn', 'wave_font', ...
      'wave_visible', 'wave_d', 'wave_fig', 'wave_t', 'wave_i', 'wave_ok', 'wave_xlab', ...
      'wave_dt', 'wave_y', 'wave_good', 'wave_nch', 'wave_ax', 'wave_f', 'wave_known', ...
      'wave_words', 'wave_m', 'wave_png');
if ~wave_asked
  clear('wave_show');
end
clear('wave_asked');
