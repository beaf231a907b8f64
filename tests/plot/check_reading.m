function check_reading(d)
% Checks what wave.m read from the files that plot_reading.sh makes: the
% labels cut out of headings with commas and a line end inside, the row
% counts, the asterisk rows (read as NaN, left out of the plots), the last
% row of wave1.csv that has no line end, and the time axis that goes on
% through the zero-padded tail.
  fail = {};
  labs = {{'t, s', 'H1 (gal)', 'H,2,x', 'V 1'}, ...
          {'frequency (Hz)', 'Samp1', 'Samp2', 'Pamp1', 'Pamp2'}, ...
          {'frequency(Hz)', 'H1 (gal)', 'H,2,x', 'V 1'}};
  % rows, columns, rows holding asterisks
  shape = [128 4 0; 65 5 39; 64 4 39];
  for k = 1:3
    if ~isequal(d(k).labels, labs{k})
      fail{end + 1} = sprintf('%s labels %s', d(k).file, strjoin(d(k).labels, '|'));
    end
    got = [size(d(k).values), sum(any(isnan(d(k).values), 2))];
    if ~isequal(got, shape(k, :))
      fail{end + 1} = sprintf('%s rows/columns/NaN rows %s', d(k).file, mat2str(got));
    end
  end
  % Spectrum rows: the zero-frequency row of Amp-Factors.csv holds the
  % limits 2, 1, 2, 1; amp1.csv starts one step up; the last readable
  % frequency is 25 steps of 39.0625 Hz.
  af = d(2).values;
  if ~isequal(af(1, :), [0 2 1 2 1]) || abs(max(af(:, 1)) - 976.5625) > 1e-3
    fail{end + 1} = sprintf('Amp-Factors.csv rows %s ... max f %g', mat2str(af(1, :)), max(af(:, 1)));
  end
  if abs(d(3).values(1, 1) - 39.0625) > 1e-3
    fail{end + 1} = sprintf('amp1.csv first frequency %g', d(3).values(1, 1));
  end
  % The last line of wave1.csv, read here on its own.
  txt = fileread('wave1.csv');
  last = sscanf(txt(find(txt == char(10), 1, 'last') + 1:end), '%f,', [1 4]);
  if ~isequal(d(1).values(end, :), last) || ~isequal(d(1).values(1, 2:4), [0 0 0])
    fail{end + 1} = sprintf('wave1.csv last row %s, file %s', mat2str(d(1).values(end, :)), mat2str(last));
  end
  % Rows 101..128 carry the time 0 in the file; the plot's axis goes on.
  t = d(1).time;
  if any(d(1).values(101:end, 1) ~= 0) || any(abs(t - (0:127)' * 0.0002) > 1e-9)
    fail{end + 1} = sprintf('time axis %s ... %g', mat2str(t(1:3)'), t(end));
  end
  if ~isempty(fail)
    error('wave.m read:\n  %s', strjoin(fail, '\n  '));
  end
  printf('wave.m read all three files as written\n');
end
